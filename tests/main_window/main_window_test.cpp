// The main window as its user drives it: what "DO!!!" writes where, the keys
// of the text boxes, what the windows show and a screen reader reads, and
// faults found by hostile use.
#include "about_window/form2.h"
#include "runtime/forms/command_button.h"
#include "runtime/forms/event_dispatch.h"
#include "runtime/forms/option_button.h"
#include "tests/window_fixture/window_fixture.h"
#include "tip_window/frmtip.h"

#include <QAccessible>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QScrollBar>
#include <QTimer>

using namespace glyphmill;

namespace {

const QString kHi = QStringLiteral("01001000\r\n01101001\r\n");
const QString kA = QStringLiteral("01000001\r\n");
const QString kOld = QStringLiteral("old"); // in both answer boxes before "DO!!!"

// The input and the number pasted into their boxes, then the steps: a button
// is clicked, a text box takes the focus and the keys that follow it. What
// the answer box, the number's answer box and the error report then show.
struct Click {
    const char *steps;
    QString input, number, answer, binary, report;
};

} // namespace

Q_DECLARE_METATYPE(Click)

class MainWindowTest : public test::WindowTest {
    Q_OBJECT

  private Q_SLOTS:
    void doButton_data() {
        QTest::addColumn<Click>("row");
        const QString nines(40000, QChar(u'9'));
        const QString refused = "Run-time error '6':\n\nOverflow\n\nThe number \"" +
                                nines.left(20) +
                                "…\" (40000 digits) was refused: \"Number To "
                                "Binary\" takes numbers from 0 to 1073741824.";
        const QString noCode =
            "Run-time error '5':\n\nCharacter 'Ω' (U+03A9) at position 4 has no 8-bit code";
        QTest::newRow("at start, Ascii To Binary alone: Hi, two lines")
            << Click{"Command1", "Hi", "5", kHi, kOld, ""};
        QTest::newRow("10,000 characters: all, shown from the top")
            << Click{"Command1", QString(10000, u'A'), "", kA.repeated(10000), kOld, ""};
        QTest::newRow("codes 255 and 128, then a character without a code")
            << Click{"Command1", "ÿ€ Ω!", "", "11111111\r\n10000000\r\n00100000\r\n", kOld, noCode};
        QTest::newRow("NUL pasted between digits: dropped") << Click{
            "Option2 Command1", "0100" + QString(QChar(u'\0')) + "0001", "", "A", kOld, ""};
        QTest::newRow("Number To Binary stays selected, then Binary To Ascii")
            << Click{"Option3 Option3 Option1 Option2 Command1", "01000001", "4", "A", "100", ""};
        QTest::newRow("no number: no digits")
            << Click{"Option3 Command1", "A", "1,5", kA, kOld, ""};
        QTest::newRow("40,000 digits: refused, kept whole, no text conversion")
            << Click{"Option3 Command1", "A", nines, kOld, "", refused};
        QTest::newRow("F4 in the number box: nothing")
            << Click{"Option3 Text5 F4", "Hi", "5", kOld, kOld, ""};
        // F1 in each box turns each way: a box that did nothing, or chose
        // one way always, fails one of these. F4 is DO!!! in either box.
        QTest::newRow("F1 in the input box, then in the answer box, F4 there")
            << Click{"Option3 Text1 F1 Text3 F1 F4", "Hi", "5", kHi, "101", ""};
        QTest::newRow("F1 in each box from Binary To Ascii, F4 in the input box")
            << Click{"Option2 Text1 F1 Text3 F1 Text1 F4", "01000001", "5", "A", kOld, ""};
        // The answer copied as the box shows it.
        QTest::newRow("Binary To Ascii: no-break space and tab") << Click{
            "Option2 Command1", "01000001101000000100001000001001", "", "A\u00a0B\t", kOld, ""};
        for (const char16_t c : {u'\u2028', u'\u2029', u'\ufdd0', u'\ufdd1'}) {
            QTest::addRow("Binary To Ascii: U+%x pasted", unsigned(c)) << Click{
                "Option2 Command1", "0100" + QString(QChar(c)) + "0001", "", "@€", kOld, ""};
        }
    }

    void doButton() {
        QFETCH(Click, row);
        // A text box keeps nothing from a character of code 0 on.
        control("Text3")->SetText(kOld + QChar(u'\0') + "x");
        control("Text2")->SetText(kOld + QChar(u'\0') + "x");
        paste(control("Text1"), row.input);
        paste(numberBox(), row.number);
        QWidget *box = nullptr;
        for (const QString &step : QString::fromLatin1(row.steps).split(u' ')) {
            if (step.startsWith(u'F'))
                QTest::keyClick(box, QKeySequence(step)[0].key());
            else if (step.startsWith(u'T'))
                (box = control<QWidget>(qPrintable(step)))->setFocus();
            else
                click(control<QWidget>(qPrintable(step)));
        }
        QCOMPARE(control("Text3")->Text(), row.answer);
        QCOMPARE(control("Text3")->verticalScrollBar()->value(), 0);
        // A copy gives the text alone: no rich text of a selection that may be huge.
        QCOMPARE(copyAll(control("Text3")), QString(row.answer).replace("\r\n", "\n"));
        QCOMPARE(QApplication::clipboard()->mimeData()->formats(), QStringList{"text/plain"});
        QCOMPARE(control("Text2")->Text(), row.binary);
        QCOMPARE(numberBox()->Text(), row.number);
        QCOMPARE(std::exchange(m_reports, {}),
                 row.report.isEmpty() ? QStringList() : QStringList{row.report});
    }

    // The captions show in full.
    void windowAtStart() {
        QStringList shown{mainWindow()->windowTitle()};
        for (const char *name : {"Label2", "Label3", "Text1", "Text3", "Command1", "Option1",
                                 "Option2", "Label1", "Text5", "Label4", "Text2", "Option3"}) {
            auto *widget = control<QWidget>(name);
            shown << widget->property("text").toString();
            QVERIFY(widget->isVisible() &&
                    (shown.last().isEmpty() || widget->sizeHint().width() <= widget->width()));
        }
        auto *files = control<QMenu>("mnufiles");
        shown << files->title();
        for (const QAction *item : files->actions())
            shown << item->text();
        QCOMPARE(shown, (QStringList{"Glyphmill", "Your Text  ->  Binary or Ascii:", "Answer:", "",
                                     "", "DO!!!", "Ascii To Binary", "Binary To Ascii",
                                     "Number:", "", "Binary:", "", "Number To Binary", "Files",
                                     "About", "Did U Know", "", "Exit"}));
        QCOMPARE(QApplication::focusWidget(), control("Text1"));
        QVERIFY(!control("Text4")->isVisible());
    }

    // What a screen reader announces for each window and control: its name
    // and its role, and for a box the label that names it on the screen.
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
        row("Form1", "Frame2", "", QAccessible::Grouping);
        row("Form2", "Label2(0)", "tovrel@example.com", text);
        row("frmTip", "frmTip", "Tip of the Day", QAccessible::Window);
        row("frmTip", "cmdOK", "OK", QAccessible::Button);
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
            objectName == form ? &window : control<QWidget>(qPrintable(objectName), &window));
        QTEST(widget->text(QAccessible::Name), "name");
        QTEST(widget->role(), "role");
        const auto labels = widget->relations(QAccessible::Label);
        QTEST(labels.isEmpty() ? QString() : labels.first().first->object()->objectName(), "label");
    }

    // Faults found by hostile use of the main window, each as the user met it.
    void errorBoxOutlivesTheAboutWindow() {
        EventDispatch::setReportSink({});
        control<TextBox>("Text1")->SetText(QStringLiteral("A😀"));
        control<QAction>("mnuabout")->trigger();
        // With no window manager the About window stays the active one.
        const QPointer<QWidget> about = &defaultInstance<Form2>().window();
        QVERIFY(QTest::qWaitForWindowActive(about));
        // The real report box: the About window's own timer closes that
        // window while the box is open; then the box is read and closed.
        QString seen;
        QTimer::singleShot(0, this, [&] {
            const bool closed = QTest::qWaitFor([&] { return about.isNull(); }, 20000);
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            seen = closed ? box->text() : QString();
            box->button(QMessageBox::Ok)->click();
        });
        control<CommandButton>("Command1")->click();
        QVERIFY2(seen.endsWith(QStringLiteral("has no 8-bit code")), qPrintable(seen));
    }

    void numberBoxPaste_data() {
        // Pasted between the 1 and the 2 of "12"; what the box keeps; the
        // binary answer, or the report's start.
        QTest::addColumn<QStringList>("row");
        const auto row = [](const char *name, const QStringList &cells) {
            QTest::newRow(name) << cells;
        };
        row("CR LF", {"5\r\n6", "152", "10011000"});
        row("LF", {"5\n6\n7", "152", "10011000"});
        row("line break first", {"\n5", "12", "1100"});
        row("character of code 0", {QStringLiteral("3") + QChar(0) + "4", "132", "10000100"});
        row("code 0 first", {QString(QChar(0)) + "4", "12", "1100"});
        const QString n(19, u'9');
        const QString refused = QStringLiteral("The number \"1");
        row("40 characters", {n + n, "1" + n + n + "2", refused + n + n + "2\""});
        row("41 characters", {n + n + "9", "1" + n + n + "92", refused + n + "…\" (41 digits)"});
        row("41 digits in 42 characters", {"e" + n + n + "9", "1e" + n + n + "92",
                                           refused + "e" + n.left(18) + "…\" (41 digits)"});
    }
    void numberBoxPaste() {
        QFETCH(QStringList, row);
        control<OptionButton>("Option3")->SetValue(true);
        auto *box = numberBox();
        // Typed right before the paste: "2", Home, "1".
        QTest::keySequence(box, QKeySequence("2, Home, 1"));
        paste(box, row[0]);
        QCOMPARE(box->Text(), row[1]);
        control<CommandButton>("Command1")->click();
        const QString quoted =
            std::exchange(m_reports, {}).value(0).section(" was", 0, 0).section("\n\n", 2);
        QCOMPARE(control<TextBox>("Text2")->Text() + quoted, row[2]);
        // Ctrl+Z takes back the paste alone, not the "1" typed before it.
        QTest::keySequence(box, QKeySequence::Undo);
        QCOMPARE(box->Text(), row[1] == u"12" ? "2" : "12");
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
