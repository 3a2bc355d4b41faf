// The tip window: which tips "Next Tip" shows and how often, which tips file
// it reads, what it says when there is none, and how it closes.
#include "tests/window_fixture/window_fixture.h"
#include "tip_window/frmtip.h"

#include <QFile>
#include <QLabel>

#include <map>

using namespace glyphmill;

const QString kMissing = QStringLiteral(
    "That the help.cfg file was not found? \r\n\r\nCreate a text file named help.cfg using "
    "NotePad with 1 tip per line. Then place it in the same directory as the application. ");

// What the data folders hold: the user's "help.cfg" (these bytes, or
// "unreadable": a file that cannot be read), the system's, and whether the
// data folders are named relatively; the tips then shown.
struct Tips {
    QByteArray file;
    QStringList tips;
    QByteArray system = {};
    bool relative = false;
};
Q_DECLARE_METATYPE(Tips)

class TipWindowTest : public test::WindowTest {
    Q_OBJECT

    static QString shownTip() { return control<QLabel>("lblTipText", widget("frmTip"))->text(); }
    // The tips shown over that many "Next Tip" clicks, and how often each.
    static std::map<QString, int> nextTips(int clicks) {
        std::map<QString, int> seen;
        for (int i = 0; i < clicks; ++i, ++seen[shownTip()])
            click(widget("frmTip cmdNextTip"));
        return seen;
    }

  private Q_SLOTS:
    // The user's file wins even when it holds no tip. (The file beside the program, first of all,
    // is tested on the installed program.) Relative data folders are ignored: the user's is then
    // the one in the home folder, which here links to the system's.
    void tipsAreChosenEvenly_data() {
        QTest::addColumn<Tips>("row");
        QTest::newRow("three lines") << Tips{"one\ntwo\nthree\n", {"one", "two", "three"}};
        QTest::newRow("no file: how to make one") << Tips{{}, {kMissing}};
        QTest::newRow("a file that fails to read") << Tips{"unreadable", {kMissing}};
        QTest::newRow("the system's") << Tips{{}, {"shipped"}, "shipped\n"};
        QTest::newRow("the user's empty file over the system's") << Tips{"", {""}, "shipped\n"};
        // Only where the environment names the data folders.
        if (test::TestDataFolders::namedByEnvironment())
            QTest::newRow("relative data folders")
                << Tips{"mine\n", {"shipped"}, "shipped\n", true};
        QTest::newRow("one line of 20 MB, cut")
            << Tips{QByteArray(20 << 20, 'w'), {QString(4096, u'w')}};
    }

    void tipsAreChosenEvenly() {
        QFETCH(Tips, row);
        if (row.relative)
            QVERIFY(m_pointedFolders->nameRelatively());
        if (row.file == "unreadable")
            QVERIFY(m_pointedFolders->makeUnreadable(tipsPath()));
        else if (!row.file.isNull())
            write(tipsPath(), row.file);
        if (!row.system.isNull())
            write(tipsPath(true), row.system);
        menu("mnuhelp");
        QVERIFY(row.tips.contains(shownTip()));
        const std::map<QString, int> seen = nextTips(1000 * int(row.tips.size()));
        QCOMPARE(qsizetype(seen.size()), row.tips.size());
        // Each about a thousand times. The numbers start from the clock, so the
        // bound is ten standard deviations wide (three tips): chance passes it
        // less than once in 10^20 runs, a tip shown half as often never.
        for (const QString &tip : row.tips)
            QVERIFY2(seen.count(tip) && std::abs(seen.at(tip) - 1000) < 250, qPrintable(tip));
    }

    // Every opening adds the file's lines to those read before; they stay
    // when the file is gone. Enter, Esc and the close button close the window.
    void everyOpeningReadsTheFileAgain() {
        write(tipsPath(), "a\n");
        menu("mnuhelp");
        QVERIFY(QTest::qWaitForWindowActive(widget("frmTip")));
        QTest::keyClick(widget("frmTip"), Qt::Key_Return);
        write(tipsPath(), "b\n");
        menu("mnuhelp");
        QCOMPARE(nextTips(100).size(), std::size_t{2});
        QVERIFY(QTest::qWaitForWindowActive(widget("frmTip")));
        QTest::keyClick(widget("frmTip"), Qt::Key_Escape);
        QFile::remove(tipsPath());
        menu("mnuhelp");
        QCOMPARE(shownTip(), kMissing);
        QCOMPARE(nextTips(100).size(), std::size_t{2});
        widget("frmTip")->close();
        QVERIFY(!defaultInstance<frmTip>().isLoaded());
    }
};

QTEST_MAIN(TipWindowTest)
#include "tip_window_test.moc"
