// A whole session as a user has it: every window opened and closed in every
// way it closes, then "Exit". Nothing may stay behind: no window, and, in the
// sanitizer build, no allocation that LeakSanitizer finds unreachable at exit.
#include "app.h"
#include "command_button.h"
#include "form1.h"
#include "form2.h"
#include "frmtip.h"
#include "gui_test.h"
#include "label.h"
#include "option_button.h"
#include "single_line_text_box.h"
#include "text_box.h"
#include "timer.h"

#include <QAction>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>

using namespace glyphmill;
using glyphmill::test::child;

class SessionLeaksTest : public QObject {
    Q_OBJECT

  private:
    Form1 &form() { return defaultInstance<Form1>(); }
    FormWindow *window() { return &form().window(); }
    TextBox *text(const char *name) { return child<TextBox>(window(), name); }
    void choose(const char *name) {
        QTest::mouseClick(child<OptionButton>(window(), name), Qt::LeftButton);
    }
    void clickDo() {
        QTest::mouseClick(child<CommandButton>(window(), "Command1"), Qt::LeftButton);
    }
    void menu(const char *name) { child<QAction>(window(), name)->trigger(); }
    QWidget *visibleWindow(const QString &name) {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (widget->objectName() == name && widget->isVisible())
                return widget;
        }
        return nullptr;
    }
    void pressTipButton(const char *name) {
        QTest::mouseClick(child<CommandButton>(&defaultInstance<frmTip>().window(), name),
                          Qt::LeftButton);
    }

  private Q_SLOTS:
    void aSessionThroughEveryWindowEndsCleanly() {
        test::resetProgram();
        test::ProgramFolder folder;
        QVERIFY(folder.isValid());
        {
            QFile tips(folder.filePath(QStringLiteral("help.cfg")));
            QVERIFY(tips.open(QIODevice::WriteOnly));
            tips.write("first tip\nsecond tip\nthird tip\n");
        }
        test::ReportCollector reports;

        // The main window and its three conversions, one refused number
        // among them.
        EventDispatch::run([this] { form().Show(); });
        QVERIFY(QTest::qWaitForWindowActive(window()));
        QTest::keyClicks(text("Text1"), QStringLiteral("Hi"));
        clickDo();
        QCOMPARE(text("Text3")->Text(), QStringLiteral("01001000\r\n01101001\r\n"));
        choose("Option2");
        text("Text1")->SetText(text("Text3")->Text());
        clickDo();
        QCOMPARE(text("Text3")->Text(), QStringLiteral("Hi"));
        choose("Option3");
        child<SingleLineTextBox>(window(), "Text5")->SetText(QStringLiteral("1073741825"));
        clickDo();
        QCOMPARE(reports.reports().size(), 1);
        child<SingleLineTextBox>(window(), "Text5")->SetText(QStringLiteral("5"));
        clickDo();
        QCOMPARE(text("Text2")->Text(), QStringLiteral("101"));

        // About, left to count down and close by itself on its own timer.
        menu("mnuabout");
        QVERIFY(visibleWindow(QStringLiteral("Form2")));
        QTRY_VERIFY_WITH_TIMEOUT(!visibleWindow(QStringLiteral("Form2")), 15000);
        // About again, closed by the window system halfway through.
        menu("mnuabout");
        QVERIFY(visibleWindow(QStringLiteral("Form2")));
        child<Timer>(visibleWindow(QStringLiteral("Form2")), "Timer1")->tick();
        visibleWindow(QStringLiteral("Form2"))->close();
        QVERIFY(!visibleWindow(QStringLiteral("Form2")));

        // The tips, closed with "OK", then with the close button.
        menu("mnuhelp");
        QVERIFY(QTest::qWaitForWindowExposed(&defaultInstance<frmTip>().window()));
        pressTipButton("cmdNextTip");
        pressTipButton("cmdOK");
        QVERIFY(!defaultInstance<frmTip>().isLoaded());
        menu("mnuhelp");
        QVERIFY(QTest::qWaitForWindowExposed(&defaultInstance<frmTip>().window()));
        QCOMPARE(defaultInstance<frmTip>().Tips.Count(), 6);
        defaultInstance<frmTip>().window().close();
        QVERIFY(!defaultInstance<frmTip>().isLoaded());

        // "Exit", then what the program does on its way out.
        menu("mnuexit");
        QVERIFY(EventDispatch::programEnded());
        DefaultInstances::clear();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(QApplication::topLevelWidgets(), QWidgetList());
    }
};

QTEST_MAIN(SessionLeaksTest)
#include "test_session_leaks.moc"
