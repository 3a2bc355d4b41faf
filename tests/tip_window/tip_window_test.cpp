// The tip window: which tips "Next Tip" shows and how often, what it says
// when there is no tips file, and how it closes.
#include "frmtip.h"
#include "random_numbers.h"
#include "window_fixture.h"

#include <QDir>
#include <QFile>
#include <QLabel>

#include <map>
#include <random>

using namespace glyphmill;

namespace {
const QString kMissing =
    QStringLiteral("That the help.cfg file was not found? \r\n\r\nCreate a text file named "
                   "help.cfg using NotePad with 1 tip per line. Then place it in the same "
                   "directory as the application. ");
} // namespace

class TipWindowTest : public test::WindowTest {
    Q_OBJECT

    static QWidget *tipWindow() { return &defaultInstance<frmTip>().window(); }
    static QString shownTip() { return control<QLabel>("lblTipText", tipWindow())->text(); }
    static void press(const char *button) { click(control<QWidget>(button, tipWindow())); }
    // How often each tip shows over that many "Next Tip" clicks.
    static std::map<QString, int> nextTips(int clicks) {
        std::map<QString, int> seen;
        for (int i = 0; i < clicks; ++i) {
            press("cmdNextTip");
            ++seen[shownTip()];
        }
        return seen;
    }

    std::mt19937 m_random{20240611};

  private Q_SLOTS:
    void init() {
        WindowTest::init();
        // Random numbers of single precision in [0, 1), the same on every run.
        RandomNumbers::installFixedSource([this] { return float(m_random() >> 8) * 0x1p-24F; });
    }

    void tipsAreChosenEvenly_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("tips");
        const QStringList three{"one", "two", "three"};
        QTest::newRow("three lines") << QByteArray("one\ntwo\nthree\n") << three;
        QTest::newRow("CR LF, a lone CR, no end") << QByteArray("one\r\ntwo\rthree") << three;
        QTest::newRow("an empty line is a tip")
            << QByteArray("one\n\nthree\n") << QStringList{"one", "", "three"};
        QTest::newRow("LF CR ends two lines")
            << QByteArray("one\n\rtwo") << QStringList{"one", "", "two"};
        QTest::newRow("UTF-8") << QByteArray("Gr\xC3\xB6\xC3\x9F\x65 \xE2\x82\xAC\n")
                               << QStringList{QStringLiteral("Größe €")};
        QTest::newRow("Windows-1252")
            << QByteArray("Gr\xF6\xDF\x65 \x80\r\n") << QStringList{QStringLiteral("Größe €")};
    }

    void tipsAreChosenEvenly() {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, tips);
        writeTips(file);
        menu("mnuhelp");
        QVERIFY(tips.contains(shownTip()));
        const std::map<QString, int> seen = nextTips(1000 * int(tips.size()));
        QCOMPARE(qsizetype(seen.size()), tips.size());
        for (const QString &tip : tips)
            QVERIFY2(seen.count(tip) && std::abs(seen.at(tip) - 1000) < 150, qPrintable(tip));
    }

    void missingFileShowsHowToMakeOne_data() {
        QTest::addColumn<QString>("link"); // what help.cfg is
        QTest::newRow("no file") << "";
        QTest::newRow("a folder") << "folder";
        QTest::newRow("a link to nothing") << "nothing";
        QTest::newRow("a file that fails to read") << "/proc/self/mem";
    }

    void missingFileShowsHowToMakeOne() {
        QFETCH(QString, link);
        if (link == QStringLiteral("folder"))
            QVERIFY(QDir().mkdir(tipsPath()));
        else if (!link.isEmpty())
            QVERIFY(QFile::link(link, tipsPath()));
        menu("mnuhelp");
        QCOMPARE(shownTip(), kMissing);
        press("cmdNextTip");
        QCOMPARE(shownTip(), kMissing);
    }

    // Every opening adds the file's lines to those read before; they stay
    // when the file is gone.
    void everyOpeningReadsTheFileAgain() {
        writeTips("a\n");
        menu("mnuhelp");
        press("cmdOK");
        writeTips("b\n");
        menu("mnuhelp");
        QCOMPARE(nextTips(100).size(), std::size_t{2});
        press("cmdOK");
        QFile::remove(tipsPath());
        menu("mnuhelp");
        QCOMPARE(shownTip(), kMissing);
        QCOMPARE(nextTips(100).size(), std::size_t{2});
    }

    void closing_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("OK") << 0;
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Esc") << int(Qt::Key_Escape);
        QTest::newRow("the close button") << -1;
    }

    void closing() {
        QFETCH(int, key);
        menu("mnuhelp");
        QWidget *window = tipWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QStringList captions{window->windowTitle()};
        for (const char *name : {"Label1", "cmdNextTip", "cmdOK"})
            captions << control<QWidget>(name, window)->property("text").toString();
        QCOMPARE(captions, (QStringList{"Tip of the Day", "Did you know...", "&Next Tip", "OK"}));
        if (key > 0)
            QTest::keyClick(window, Qt::Key(key));
        else if (key == 0)
            press("cmdOK");
        else
            window->close();
        QVERIFY(!defaultInstance<frmTip>().isLoaded());
        QVERIFY(!shownWindow("frmTip"));
    }
};

QTEST_MAIN(TipWindowTest)
#include "tip_window_test.moc"
