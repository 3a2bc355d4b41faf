// Faults found by hostile use of the main window, each as the user met it.
#include "command_button.h"
#include "form1.h"
#include "gui_test.h"
#include "option_button.h"
#include "single_line_text_box.h"
#include "text_box.h"

#include <QAction>
#include <QClipboard>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

using namespace glyphmill;
using glyphmill::test::child;

class FaultRegressionsTest : public QObject {
    Q_OBJECT

    QWidget *window() { return &defaultInstance<Form1>().window(); }
    template <typename T> T *control(const char *name) { return child<T>(window(), name); }
    void clickDo() { control<CommandButton>("Command1")->click(); }

  private Q_SLOTS:
    void init() {
        test::resetProgram();
        defaultInstance<Form1>().Show();
    }
    void cleanup() { test::resetProgram(); }

    void errorBoxOutlivesTheAboutWindow_data() {
        QTest::addColumn<bool>("number");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("report"); // a part of the report
        QTest::newRow("character without code") << false << "A😀"
                                                << "has no 8-bit code";
        QTest::newRow("refused number") << true << "-7"
                                        << "The number \"-7\" was refused";
    }
    void errorBoxOutlivesTheAboutWindow() {
        QFETCH(bool, number);
        QFETCH(QString, typed);
        QFETCH(QString, report);
        control<OptionButton>(number ? "Option3" : "Option1")->SetValue(true);
        control<SingleLineTextBox>("Text5")->SetText(number ? typed : QString());
        control<TextBox>("Text1")->SetText(number ? QStringLiteral("A") : typed);
        child<QAction>(window(), "mnuabout")->trigger();
        // With no window manager the About window stays the active one.
        QTRY_VERIFY(QApplication::activeWindow() &&
                    QApplication::activeWindow()->objectName() == QStringLiteral("Form2"));
        const QPointer<QWidget> about = QApplication::activeWindow();
        // The About window's own timer closes it while the box is open; then
        // the box is read and closed as a user would.
        QStringList seen;
        QElapsedTimer clock;
        clock.start();
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            if (about && clock.elapsed() < 20000)
                return;
            poll.stop();
            for (QWidget *widget : QApplication::topLevelWidgets()) {
                if (auto *box = qobject_cast<QMessageBox *>(widget); box && box->isVisible()) {
                    seen << box->text();
                    QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
                }
            }
        });
        poll.start(50);
        clickDo();
        QVERIFY(!about);
        QCOMPARE(seen.size(), 1);
        QVERIFY(seen.first().contains(report));
        const test::ReportCollector reports;
        clickDo();
        QCOMPARE(reports.reports().size(), 1);
        QVERIFY(reports.reports().first().contains(report));
    }

    void heldF4ConvertsOnce_data() {
        // P: F4 pressed, R: a key repeat queued while the conversion ran,
        // L: a key repeat a minute later.
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("reports");
        QTest::newRow("held") << "PRRRRRRR" << 1;
        QTest::newRow("pressed again while converting") << "PRRRPRR" << 2;
        QTest::newRow("held on after the conversion") << "PRRL" << 2;
        QTest::newRow("typed three times") << "PPP" << 3;
    }
    void heldF4ConvertsOnce() {
        QFETCH(QString, keys);
        QFETCH(int, reports);
        auto *input = control<TextBox>("Text1");
        input->SetText(QStringLiteral("A😀"));
        const test::ReportCollector collected;
        for (const QChar key : keys) {
            auto *event =
                new QKeyEvent(QEvent::KeyPress, Qt::Key_F4, Qt::NoModifier, QString(), key != u'P');
            event->setTimestamp(key == u'L' ? 61000 : 1000);
            QCoreApplication::postEvent(input, event);
        }
        QCoreApplication::sendPostedEvents(input, QEvent::KeyPress);
        QCOMPARE(collected.reports().size(), reports);
        QCOMPARE(control<TextBox>("Text3")->Text(), QStringLiteral("01000001\r\n"));
    }

    void longRefusedNumbersAreShortened_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("quoted");
        const QString nines(20, u'9');
        QTest::newRow("40 characters") << nines + nines << "\"" + nines + nines + "\"";
        QTest::newRow("41 characters") << nines + nines + "9"
                                       << "\"" + nines + "…\" (41 digits)";
        QTest::newRow("100,000 digits")
            << QString(100000, u'9') << "\"" + nines + "…\" (100000 digits)";
        QTest::newRow("negative") << "-" + nines + nines
                                  << "\"-" + nines.left(19) + "…\" (40 digits)";
    }
    void longRefusedNumbersAreShortened() {
        QFETCH(QString, typed);
        QFETCH(QString, quoted);
        control<OptionButton>("Option3")->SetValue(true);
        control<SingleLineTextBox>("Text5")->SetText(typed);
        const test::ReportCollector reports;
        clickDo();
        QCOMPARE(reports.reports().size(), 1);
        QCOMPARE(reports.reports().first().section(QStringLiteral("\n\n"), 2),
                 QStringLiteral("The number %1 was refused: \"Number To Binary\" takes numbers "
                                "from 0 to 1073741824.")
                     .arg(quoted));
    }

    void numberBoxPasteKeepsTheFirstLine_data() {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("kept");
        QTest::newRow("CR LF") << "5\r\n6"
                               << "152";
        QTest::newRow("LF") << "5\n6\n7"
                            << "152";
        QTest::newRow("CR") << "5\r6"
                            << "152";
        QTest::newRow("line break last") << "5\n"
                                         << "152";
        QTest::newRow("line break first") << "\n5"
                                          << "12";
    }
    void numberBoxPasteKeepsTheFirstLine() {
        QFETCH(QString, pasted);
        QFETCH(QString, kept);
        control<OptionButton>("Option3")->SetValue(true);
        auto *box = control<SingleLineTextBox>("Text5");
        box->SetText(QStringLiteral("12"));
        box->setFocus();
        box->setCursorPosition(1);
        QApplication::clipboard()->setText(pasted);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box->Text(), kept);
        clickDo();
        QCOMPARE(control<TextBox>("Text2")->Text(), QString::number(kept.toInt(), 2));
    }
};

QTEST_MAIN(FaultRegressionsTest)
#include "fault_regressions_test.moc"
