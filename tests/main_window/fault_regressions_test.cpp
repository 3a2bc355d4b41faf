// Faults found by hostile use of the main window, each as the user met it.
#include "about_window/form2.h"
#include "runtime/forms/command_button.h"
#include "runtime/forms/event_dispatch.h"
#include "runtime/forms/option_button.h"
#include "tests/window_fixture/window_fixture.h"

#include <QAction>
#include <QClipboard>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

using namespace glyphmill;

// A row of texts.
static void row(const char *name, const QStringList &cells) {
    for (QTestData &data = QTest::newRow(name); const QString &cell : cells)
        data << cell;
}

class FaultRegressionsTest : public test::WindowTest {
    Q_OBJECT

  private Q_SLOTS:
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
        QTest::addColumn<QString>("pasted"); // between the 1 and the 2 of "12"
        QTest::addColumn<QString>("kept");
        QTest::addColumn<QString>("shown"); // the binary answer, or the report's start
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
        QFETCH(QString, pasted);
        QFETCH(QString, kept);
        QFETCH(QString, shown);
        control<OptionButton>("Option3")->SetValue(true);
        auto *box = numberBox();
        box->SetText(QStringLiteral("12"));
        box->setCursorPosition(1);
        QApplication::clipboard()->setText(pasted);
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(box->Text(), kept);
        control<CommandButton>("Command1")->click();
        const QString quoted =
            std::exchange(m_reports, {}).value(0).section(" was", 0, 0).section("\n\n", 2);
        QCOMPARE(control<TextBox>("Text2")->Text() + quoted, shown);
    }

    // Typed, then pasted with a line break: Ctrl+Z takes back the paste, then
    // the typing.
    void numberBoxUndo() {
        auto *box = numberBox();
        box->setFocus();
        QTest::keyClicks(box, "789");
        paste(box, "1\n2");
        QCOMPARE(box->Text(), "7891");
        QStringList undone;
        for (int i = 0; i < 2; ++i) {
            QTest::keySequence(box, QKeySequence::Undo);
            undone << box->Text();
        }
        QCOMPARE(undone, QStringList({"789", ""}));
    }
};

QTEST_MAIN(FaultRegressionsTest)
#include "fault_regressions_test.moc"
