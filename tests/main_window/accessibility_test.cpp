#include "about_window/form2.h"
#include "main_window/form1.h"
#include "tests/window_fixture/window_fixture.h"
#include "tip_window/frmtip.h"

#include <QAccessible>

using namespace glyphmill;

// What a screen reader announces for each control: its name and its role, and
// for a box the label that names it on the screen.
class AccessibilityTest : public test::WindowTest {
    Q_OBJECT

  private Q_SLOTS:
    void nameAndRole_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("objectName");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QAccessible::Role>("role");
        QTest::addColumn<QString>("label");
        const auto row = [](const char *form, const char *control, const char *name,
                            QAccessible::Role role, const char *label = "") {
            QTest::addRow("%s %s", form, control) << form << control << name << role << label;
        };
        const auto edit = QAccessible::EditableText, text = QAccessible::StaticText;
        row("Form1", "Text1", "Your Text", edit, "Label2");
        row("Form1", "Text3", "Answer", edit, "Label3");
        row("Form1", "Text5", "Number", edit, "Label1");
        row("Form1", "Text2", "Binary", edit, "Label4");
        row("Form1", "Text4", "Work", edit);
        row("Form1", "Command1", "DO!!!", QAccessible::Button);
        row("Form1", "Option2", "Binary To Ascii", QAccessible::RadioButton);
        row("Form1", "Label2", "Your Text  ->  Binary or Ascii:", text);
        row("Form1", "Frame2", "", QAccessible::Grouping);
        row("Form2", "Label1(3)", "7", text);
        row("Form2", "Label2(0)", "tovrel@example.com", text);
        row("frmTip", "cmdNextTip", "Next Tip", QAccessible::Button);
        row("frmTip", "Label1", "Did you know...", text);
        row("frmTip", "lblTipText", "Salt & pepper", text);
    }

    void nameAndRole() {
        QFETCH(QString, form);
        QFETCH(QString, objectName);
        // An "&" in a tip is shown as it is, so it must be read as it is.
        writeTips("Salt & pepper\r\n");
        FormWindow &window = form == u"Form1"   ? defaultInstance<Form1>().window()
                             : form == u"Form2" ? defaultInstance<Form2>().window()
                                                : defaultInstance<frmTip>().window();
        QAccessibleInterface *widget = QAccessible::queryAccessibleInterface(
            control<QWidget>(qPrintable(objectName), &window));
        QTEST(widget->text(QAccessible::Name), "name");
        QTEST(widget->role(), "role");
        const auto labels = widget->relations(QAccessible::Label);
        QTEST(labels.isEmpty() ? QString() : labels.first().first->object()->objectName(), "label");
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
