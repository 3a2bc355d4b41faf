// The tip window: which tips "Next Tip" shows and how often, which tips file
// it reads, what it says when there is none, and how it closes.
#include "tests/window_fixture/window_fixture.h"
#include "tip_window/frmtip.h"

#include <QFile>
#include <QLabel>

#include <map>

using namespace glyphmill;

const QString kMissing =
    QStringLiteral("That the help.cfg file was not found? \r\n\r\nCreate a text file named "
                   "help.cfg using NotePad with 1 tip per line. Then place it in the same "
                   "directory as the application. ");

class TipWindowTest : public test::WindowTest {
    Q_OBJECT

    static QWidget *tipWindow() { return &defaultInstance<frmTip>().window(); }
    static QString shownTip() { return control<QLabel>("lblTipText", tipWindow())->text(); }
    // The tips shown over that many "Next Tip" clicks, and how often each.
    static std::map<QString, int> nextTips(int clicks) {
        std::map<QString, int> seen;
        for (int i = 0; i < clicks; ++i) {
            click(control<QWidget>("cmdNextTip", tipWindow()));
            ++seen[shownTip()];
        }
        return seen;
    }

  private Q_SLOTS:
    // The user's "help.cfg" holds these bytes, or cannot be read;
    // the system's holds `system`. The user's file wins even when it holds no
    // tip. (The file beside the program, first of all, is tested on the
    // installed program.) Relative data folders are ignored: the user's is
    // then the one in the home folder, which here links to the system's.
    void tipsAreChosenEvenly_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("system");
        QTest::addColumn<QStringList>("tips");
        QTest::addColumn<bool>("relative");
        const auto row = [](const char *name, const QByteArray &file, const QStringList &tips,
                            const QByteArray &system = {}, bool relative = false) {
            QTest::newRow(name) << file << system << tips << relative;
        };
        row("three lines", "one\ntwo\nthree\n", {"one", "two", "three"});
        row("no file: how to make one", {}, {kMissing});
        row("a file that fails to read", "unreadable", {kMissing});
        row("the system's", {}, {"shipped"}, "shipped\n");
        row("the user's empty file over the system's", "", {""}, "shipped\n");
        // Only where the environment names the data folders.
        if (test::TestDataFolders::namedByEnvironment())
            row("relative data folders", "mine\n", {"shipped"}, "shipped\n", true);
        row("one line of 20 MB, cut", QByteArray(20 << 20, 'w'), {QString(4096, u'w')});
    }

    void tipsAreChosenEvenly() {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, system);
        QFETCH(QStringList, tips);
        QFETCH(bool, relative);
        if (relative)
            QVERIFY(m_pointedFolders->nameRelatively());
        if (file == "unreadable")
            QVERIFY(m_pointedFolders->makeUnreadable(tipsPath()));
        else if (!file.isNull())
            writeTips(file);
        if (!system.isNull())
            writeTips(system, true);
        menu("mnuhelp");
        QVERIFY(tips.contains(shownTip()));
        const std::map<QString, int> seen = nextTips(1000 * int(tips.size()));
        QCOMPARE(qsizetype(seen.size()), tips.size());
        // Each about a thousand times. The numbers start from the clock, so the
        // bound is ten standard deviations wide (three tips): chance passes it
        // less than once in 10^20 runs, a tip shown half as often never.
        for (const QString &tip : tips)
            QVERIFY2(seen.count(tip) && std::abs(seen.at(tip) - 1000) < 250, qPrintable(tip));
    }

    // Every opening adds the file's lines to those read before; they stay
    // when the file is gone. Enter, Esc and the close button close the window.
    void everyOpeningReadsTheFileAgain() {
        writeTips("a\n");
        menu("mnuhelp");
        QVERIFY(QTest::qWaitForWindowActive(tipWindow()));
        QTest::keyClick(tipWindow(), Qt::Key_Return);
        writeTips("b\n");
        menu("mnuhelp");
        QCOMPARE(nextTips(100).size(), std::size_t{2});
        QVERIFY(QTest::qWaitForWindowActive(tipWindow()));
        QTest::keyClick(tipWindow(), Qt::Key_Escape);
        QFile::remove(tipsPath());
        menu("mnuhelp");
        QCOMPARE(shownTip(), kMissing);
        QCOMPARE(nextTips(100).size(), std::size_t{2});
        tipWindow()->close();
        QVERIFY(!defaultInstance<frmTip>().isLoaded());
    }
};

QTEST_MAIN(TipWindowTest)
#include "tip_window_test.moc"
