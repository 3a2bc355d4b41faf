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
    // The file "help.cfg" holds these bytes, or links to what follows "-> ".
    void tipsAreChosenEvenly_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("tips");
        QTest::newRow("three lines")
            << QByteArray("one\ntwo\nthree\n") << QStringList{"one", "two", "three"};
        QTest::newRow("CR LF, a lone CR, an empty tip")
            << QByteArray("one\r\n\rthree") << QStringList{"one", "", "three"};
        QTest::newRow("Windows-1252")
            << QByteArray("Gr\xF6\xDF\x65 \x80\r\n") << QStringList{"Größe €"};
        QTest::newRow("an empty file: no tip") << QByteArray("") << QStringList{""};
        QTest::newRow("no file: how to make one") << QByteArray() << QStringList{kMissing};
        QTest::newRow("a link to nothing") << QByteArray("-> nothing") << QStringList{kMissing};
        QTest::newRow("a file that fails to read")
            << QByteArray("-> /proc/self/mem") << QStringList{kMissing};
    }

    void tipsAreChosenEvenly() {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, tips);
        if (file.startsWith("-> "))
            QVERIFY(QFile::link(QString::fromUtf8(file.mid(3)), tipsPath()));
        else if (!file.isNull())
            writeTips(file);
        menu("mnuhelp");
        QVERIFY(tips.contains(shownTip()));
        const std::map<QString, int> seen = nextTips(1000 * int(tips.size()));
        QCOMPARE(qsizetype(seen.size()), tips.size());
        // Each about a thousand times: five standard deviations either side.
        for (const QString &tip : tips)
            QVERIFY2(seen.count(tip) && std::abs(seen.at(tip) - 1000) < 150, qPrintable(tip));
    }

    // The user's data folder before the system's; a file found is read even
    // when it holds no tip. (The file beside the program, first of all, is
    // tested on the installed program.)
    void theUsersTipsWinOverTheSystems_data() {
        QTest::addColumn<QByteArray>("user");
        QTest::addColumn<QByteArray>("system");
        QTest::addColumn<QString>("shown");
        QTest::newRow("the system's") << QByteArray() << QByteArray("shipped") << "shipped";
        QTest::newRow("the user's") << QByteArray("mine\n") << QByteArray() << "mine";
        QTest::newRow("the user's over the system's")
            << QByteArray("mine\n") << QByteArray("shipped") << "mine";
        QTest::newRow("the user's empty file") << QByteArray("") << QByteArray("shipped") << "";
        QTest::newRow("neither") << QByteArray() << QByteArray() << kMissing;
    }

    void theUsersTipsWinOverTheSystems() {
        QFETCH(QByteArray, user);
        QFETCH(QByteArray, system);
        if (!user.isNull())
            writeTips(user);
        if (!system.isNull())
            writeTips(system, true);
        menu("mnuhelp");
        QTEST(shownTip(), "shown");
    }

    // Every opening adds the file's lines to those read before; they stay
    // when the file is gone. Enter, Esc and the close button close the window.
    void everyOpeningReadsTheFileAgain() {
        writeTips("a\n");
        menu("mnuhelp");
        QVERIFY(QTest::qWaitForWindowActive(tipWindow()));
        QStringList captions{tipWindow()->windowTitle()};
        for (const char *name : {"Label1", "cmdNextTip", "cmdOK"})
            captions << control<QWidget>(name, tipWindow())->property("text").toString();
        QCOMPARE(captions, (QStringList{"Tip of the Day", "Did you know...", "&Next Tip", "OK"}));
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
