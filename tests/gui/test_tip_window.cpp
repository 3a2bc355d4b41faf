#include "app.h"
#include "command_button.h"
#include "form1.h"
#include "frmtip.h"
#include "gui_test.h"
#include "label.h"
#include "picture_box.h"
#include "random_generator.h"
#include "random_numbers.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QScreen>
#include <QTemporaryDir>

#include <unistd.h>

#include <map>
#include <memory>
#include <vector>

using namespace glyphmill;
using glyphmill::test::child;

namespace {

const QString kMissingFileMessage =
    QStringLiteral("That the help.cfg file was not found? \r\n\r\nCreate a text file named "
                   "help.cfg using NotePad with 1 tip per line. Then place it in the same "
                   "directory as the application. ");

QStringList tipTexts(const frmTip &form) {
    QStringList texts;
    for (std::int32_t i = 1; i <= form.Tips.Count(); ++i) {
        const std::u16string &text = form.Tips.Item(i).text();
        texts << QString::fromStdU16String(text);
    }
    return texts;
}

} // namespace

class TipWindowTest : public QObject {
    Q_OBJECT

  private:
    frmTip &tip() { return defaultInstance<frmTip>(); }
    FormWindow *tipWindow() { return &tip().window(); }
    Label *tipLabel() { return child<Label>(tipWindow(), "lblTipText"); }
    QString shownTip() { return tipLabel()->Caption(); }
    CommandButton *button(const char *name) { return child<CommandButton>(tipWindow(), name); }
    Form1 &mainForm() { return defaultInstance<Form1>(); }

    QString tipsPath() const { return m_folder->filePath(QStringLiteral("help.cfg")); }
    void writeTips(const QByteArray &bytes) {
        QFile file(tipsPath());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(bytes), bytes.size());
    }
    // The random numbers the window draws from now on, over and over.
    void useRandomNumbers(std::vector<float> numbers) {
        m_numbers = std::move(numbers);
        m_nextNumber = 0;
    }
    // "Did U Know" in the main window's "Files" menu.
    void chooseDidUKnow() { child<QAction>(&mainForm().window(), "mnuhelp")->trigger(); }
    void openTips() {
        chooseDidUKnow();
        QVERIFY(tip().isLoaded());
        QVERIFY(QTest::qWaitForWindowExposed(tipWindow()));
    }
    void pressOk() { QTest::mouseClick(button("cmdOK"), Qt::LeftButton); }
    void pressNextTip() { QTest::mouseClick(button("cmdNextTip"), Qt::LeftButton); }

    std::unique_ptr<test::ProgramFolder> m_folder;
    std::unique_ptr<test::ReportCollector> m_reports;
    std::vector<float> m_numbers;
    std::size_t m_nextNumber = 0;

  private Q_SLOTS:
    void init() {
        test::resetProgram();
        m_reports = std::make_unique<test::ReportCollector>();
        m_folder = std::make_unique<test::ProgramFolder>();
        QVERIFY(m_folder->isValid());
        useRandomNumbers({0.0F});
        RandomNumbers::installFixedSource(
            [this] { return m_numbers[m_nextNumber++ % m_numbers.size()]; });
        mainForm().window().move(0, 0);
        mainForm().Show();
        QVERIFY(QTest::qWaitForWindowActive(&mainForm().window()));
    }

    void cleanup() {
        QCOMPARE(m_reports->reports(), QStringList());
        m_reports.reset();
        test::resetProgram();
        RandomNumbers::removeFixedSource();
        m_folder.reset();
    }

    void layout_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("caption");
        QTest::newRow("cmdNextTip") << "cmdNextTip" << QRect(272, 40, 81, 25) << "&Next Tip";
        QTest::newRow("Picture1") << "Picture1" << QRect(8, 8, 249, 181) << "";
        QTest::newRow("cmdOK") << "cmdOK" << QRect(272, 8, 81, 25) << "OK";
    }

    void layout() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, caption);
        openTips();
        auto *control = tipWindow()->findChild<QWidget *>(name);
        QVERIFY(control);
        QCOMPARE(control->parentWidget(), tipWindow()->client());
        QCOMPARE(control->geometry(), geometry);
        if (auto *pushButton = qobject_cast<QAbstractButton *>(control))
            QCOMPARE(pushButton->text(), caption);
    }

    void labelsSitInsideThePicture_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("caption");
        QTest::newRow("Label1") << "Label1" << QRect(36, 12, 177, 17) << "Did you know...";
        QTest::newRow("lblTipText") << "lblTipText" << QRect(12, 56, 217, 109) << "";
    }

    void labelsSitInsideThePicture() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, caption);
        writeTips(QByteArray());
        openTips();
        auto *picture = child<PictureBox>(tipWindow(), "Picture1");
        auto *label = picture->findChild<Label *>(name);
        QVERIFY(label);
        QCOMPARE(label->parentWidget(), picture);
        // Positions count from the inside of the picture's border.
        QCOMPARE(label->geometry().translated(-picture->contentsRect().topLeft()), geometry);
        QCOMPARE(label->Caption(), caption);
        QVERIFY(QRect(QPoint(), picture->size()).contains(label->geometry()));
    }

    void windowHasTitleIconAndOnlyACloseButton() {
        openTips();
        FormWindow *window = tipWindow();
        QCOMPARE(window->windowTitle(), QStringLiteral("Tip of the Day"));
        QVERIFY(!window->windowIcon().isNull());
        QCOMPARE(window->client()->size(), QSize(361, 200));
        QCOMPARE(window->minimumSize(), window->maximumSize());
        const Qt::WindowFlags flags = window->windowFlags();
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(flags.testFlag(Qt::WindowTitleHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    }

    void okHasFocusAndTabGoesToNextTip() {
        openTips();
        QVERIFY(QTest::qWaitForWindowActive(tipWindow()));
        QCOMPARE(QApplication::focusWidget(), button("cmdOK"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), button("cmdNextTip"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), button("cmdOK"));
    }

    void pictureShowsTheIconOnWhite() {
        writeTips("tip\n");
        openTips();
        auto *picture = child<PictureBox>(tipWindow(), "Picture1");
        const QImage shot = picture->grab().toImage();
        const QPoint inside = picture->contentsRect().topLeft();
        // The icon's corner is transparent; its frame is navy.
        QCOMPARE(shot.pixelColor(inside + QPoint(0, 0)), QColor(Qt::white));
        QCOMPARE(shot.pixelColor(inside + QPoint(3, 3)), QColor(0x00, 0x00, 0x80));
        QCOMPARE(shot.pixelColor(inside + QPoint(5, 60)), QColor(Qt::white));
        // The labels are white too: the last line of the tip label is empty.
        const QRect label = tipLabel()->geometry();
        QCOMPARE(shot.pixelColor(label.bottomRight() - QPoint(2, 2)), QColor(Qt::white));
        QCOMPARE(picture->Picture().size(), QSize(32, 32));
    }

    void missingFileShowsHowToMakeOne() {
        openTips();
        QCOMPARE(shownTip(), kMissingFileMessage);
        QCOMPARE(tip().Tips.Count(), 0);
        // The message is meant to be read whole.
        QVERIFY(tipLabel()->heightForWidth(tipLabel()->width()) <= tipLabel()->height());
        pressNextTip();
        QCOMPARE(shownTip(), kMissingFileMessage);
    }

    void unreadableFileCountsAsMissing_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("folder of that name") << "folder";
        QTest::newRow("link to nothing") << "dangling";
        QTest::newRow("error while reading") << "read error";
        QTest::newRow("no read permission") << "permission";
    }

    void unreadableFileCountsAsMissing() {
        QFETCH(QString, kind);
        if (kind == QStringLiteral("folder")) {
            QVERIFY(QDir(m_folder->path()).mkdir(QStringLiteral("help.cfg")));
        } else if (kind == QStringLiteral("dangling")) {
            QVERIFY(QFile::link(m_folder->filePath(QStringLiteral("gone")), tipsPath()));
        } else if (kind == QStringLiteral("read error")) {
            // The process's own memory: a regular file whose first page
            // cannot be read.
            QVERIFY(QFile::link(QStringLiteral("/proc/self/mem"), tipsPath()));
        } else {
            writeTips("secret\n");
            QVERIFY(QFile::setPermissions(tipsPath(), QFileDevice::Permissions()));
            if (::access(QFile::encodeName(tipsPath()).constData(), R_OK) == 0)
                QSKIP("this user reads any file");
        }
        openTips();
        QCOMPARE(shownTip(), kMissingFileMessage);
        QCOMPARE(tip().Tips.Count(), 0);
        pressNextTip();
        QCOMPARE(shownTip(), kMissingFileMessage);
        pressOk();
        QVERIFY(!tip().isLoaded());
    }

    void emptyFileShowsNoTip() {
        writeTips(QByteArray());
        openTips();
        QCOMPARE(shownTip(), QString());
        QCOMPARE(tip().Tips.Count(), 0);
        pressNextTip();
        QCOMPARE(shownTip(), QString());
    }

    void loadTipsTellsWhetherItRead_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("read");
        QTest::addColumn<int>("count");
        QTest::newRow("no name") << "" << false << 0;
        QTest::newRow("missing file") << "missing.cfg" << false << 0;
        QTest::newRow("empty file") << "empty.cfg" << true << 0;
        QTest::newRow("two lines") << "two.cfg" << true << 2;
    }

    void loadTipsTellsWhetherItRead() {
        QFETCH(QString, file);
        QFETCH(bool, read);
        QFETCH(int, count);
        QFile empty(m_folder->filePath(QStringLiteral("empty.cfg")));
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.close();
        QFile two(m_folder->filePath(QStringLiteral("two.cfg")));
        QVERIFY(two.open(QIODevice::WriteOnly));
        two.write("one\ntwo\n");
        two.close();
        writeTips("from help.cfg\n");
        openTips();
        QCOMPARE(tip().Tips.Count(), 1);
        const QString path = file.isEmpty() ? QString() : m_folder->filePath(file);
        QCOMPARE(tip().LoadTips(path), read);
        QCOMPARE(tip().Tips.Count(), 1 + count);
    }

    void lineEnds_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("tips");
        const QStringList three = {QStringLiteral("one"), QStringLiteral("two"),
                                   QStringLiteral("three")};
        QTest::newRow("LF") << QByteArray("one\ntwo\nthree\n") << three;
        QTest::newRow("CR LF") << QByteArray("one\r\ntwo\r\nthree\r\n") << three;
        QTest::newRow("lone CR") << QByteArray("one\rtwo\rthree\r") << three;
        QTest::newRow("all three") << QByteArray("one\r\ntwo\nthree\r") << three;
        QTest::newRow("no end after the last") << QByteArray("one\ntwo\nthree") << three;
        QTest::newRow("LF CR is two ends")
            << QByteArray("one\n\rtwo")
            << QStringList{QStringLiteral("one"), QString(), QStringLiteral("two")};
    }

    void lineEnds() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, tips);
        writeTips(bytes);
        openTips();
        QCOMPARE(tipTexts(tip()), tips);
        QCOMPARE(shownTip(), tips.first());
    }

    void emptyLineIsATipThatShowsEmpty() {
        writeTips("first\n\nthird\n");
        useRandomNumbers({0.0F, 0.5F});
        openTips();
        QCOMPARE(shownTip(), QStringLiteral("first"));
        pressNextTip();
        QCOMPARE(tip().CurrentTip, 2);
        QCOMPARE(shownTip(), QString());
    }

    void encodings_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("UTF-8") << QByteArray("Gr\xC3\xB6\xC3\x9F\x65 \xE2\x82\xAC \xC2\xBD\n");
        QTest::newRow("UTF-8 with byte order mark")
            << QByteArray("\xEF\xBB\xBFGr\xC3\xB6\xC3\x9F\x65 \xE2\x82\xAC \xC2\xBD\n");
        QTest::newRow("Windows-1252") << QByteArray("Gr\xF6\xDF\x65 \x80 \xBD\r\n");
    }

    void encodings() {
        QFETCH(QByteArray, bytes);
        writeTips(bytes);
        openTips();
        QCOMPARE(shownTip(), QStringLiteral("Gr\u00F6\u00DFe \u20AC \u00BD"));
    }

    void pickCoversTheWholeRange_data() {
        QTest::addColumn<float>("number");
        QTest::addColumn<int>("index");
        QTest::newRow("0") << 0.0F << 1;
        QTest::newRow("just below a third") << 0.33333F << 1;
        QTest::newRow("just above a third") << 0.33334F << 2;
        QTest::newRow("just below two thirds") << 0.66666F << 2;
        QTest::newRow("just above two thirds") << 0.66667F << 3;
        QTest::newRow("largest below 1") << 0.99999994F << 3;
    }

    void pickCoversTheWholeRange() {
        QFETCH(float, number);
        QFETCH(int, index);
        writeTips("one\ntwo\nthree\n");
        useRandomNumbers({number});
        openTips();
        QCOMPARE(tip().CurrentTip, index);
        QCOMPARE(shownTip(), tipTexts(tip()).at(index - 1));
    }

    void eachOpeningAppendsTheFileAgain() {
        writeTips("a\nb\nc\n");
        const QStringList once = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
        openTips();
        QCOMPARE(tipTexts(tip()), once);
        pressOk();
        openTips();
        QCOMPARE(tipTexts(tip()), once + once);
        pressOk();
        openTips();
        QCOMPARE(tipTexts(tip()), once + once + once);
    }

    void changedFileKeepsTheEarlierLines() {
        writeTips("a\nb\n");
        openTips();
        pressOk();
        writeTips("c\n");
        openTips();
        QCOMPARE(tipTexts(tip()),
                 (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
    }

    void removedFileShowsTheMessageButNextTipStillWorks() {
        writeTips("a\nb\nc\n");
        openTips();
        pressOk();
        QVERIFY(QFile::remove(tipsPath()));
        useRandomNumbers({0.5F});
        openTips();
        QCOMPARE(shownTip(), kMissingFileMessage);
        QCOMPARE(tip().Tips.Count(), 3);
        pressNextTip();
        QCOMPARE(shownTip(), QStringLiteral("b"));
    }

    void didUKnowWhileOpenOnlyBringsItForward() {
        writeTips("a\nb\nc\n");
        useRandomNumbers({0.0F, 0.9F});
        openTips();
        QCOMPARE(shownTip(), QStringLiteral("a"));
        const QPointer<FormWindow> first = tipWindow();
        writeTips("a\nb\nc\nd\n");
        mainForm().window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&mainForm().window()));
        chooseDidUKnow();
        QVERIFY(QTest::qWaitForWindowActive(tipWindow()));
        QCOMPARE(tipWindow(), first.data());
        QCOMPARE(shownTip(), QStringLiteral("a"));
        QCOMPARE(tip().Tips.Count(), 3);
        // No random number was drawn: the next one is still the second.
        QCOMPARE(m_nextNumber, std::size_t{1});
    }

    void closing_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("OK clicked") << "click";
        QTest::newRow("Enter") << "enter";
        QTest::newRow("keypad Enter") << "keypad";
        QTest::newRow("Esc") << "esc";
        QTest::newRow("Space on OK") << "space";
        QTest::newRow("close button") << "close";
    }

    void closing() {
        QFETCH(QString, how);
        writeTips("a\n");
        openTips();
        QVERIFY(QTest::qWaitForWindowActive(tipWindow()));
        const QPointer<FormWindow> window = tipWindow();
        if (how == QStringLiteral("click"))
            pressOk();
        else if (how == QStringLiteral("enter"))
            QTest::keyClick(window.data(), Qt::Key_Return);
        else if (how == QStringLiteral("keypad"))
            QTest::keyClick(window.data(), Qt::Key_Enter, Qt::KeypadModifier);
        else if (how == QStringLiteral("esc"))
            QTest::keyClick(window.data(), Qt::Key_Escape);
        else if (how == QStringLiteral("space"))
            QTest::keyClick(button("cmdOK"), Qt::Key_Space);
        else
            window->close();
        QVERIFY(!tip().isLoaded());
        QTRY_VERIFY(window.isNull());
        QCOMPARE(tip().Tips.Count(), 1);
    }

    void enterOnFocusedNextTipShowsAnotherTip() {
        writeTips("a\nb\n");
        useRandomNumbers({0.0F, 0.5F});
        openTips();
        QVERIFY(QTest::qWaitForWindowActive(tipWindow()));
        button("cmdNextTip")->setFocus();
        QTest::keyClick(tipWindow(), Qt::Key_Return);
        QVERIFY(tip().isLoaded());
        QCOMPARE(shownTip(), QStringLiteral("b"));
    }

    void altNShowsAnotherTip() {
        writeTips("a\nb\nc\n");
        useRandomNumbers({0.0F, 0.9F, 0.5F});
        openTips();
        QVERIFY(QTest::qWaitForWindowActive(tipWindow()));
        QCOMPARE(shownTip(), QStringLiteral("a"));
        // A mnemonic presses its button visibly, so the click comes a moment later.
        QTest::keyClick(tipWindow(), Qt::Key_N, Qt::AltModifier);
        QTRY_COMPARE(shownTip(), QStringLiteral("c"));
        QTest::keyClick(tipWindow(), Qt::Key_N, Qt::AltModifier);
        QTRY_COMPARE(shownTip(), QStringLiteral("b"));
        QVERIFY(tip().isLoaded());
    }

    void nextTipShowsEveryTipEvenly() {
        const QStringList tips = {QStringLiteral("one"), QStringLiteral("two"),
                                  QStringLiteral("three"), QStringLiteral("four"),
                                  QStringLiteral("five")};
        writeTips(tips.join(QLatin1Char('\n')).toUtf8() + '\n');
        RandomGenerator generator(20240611);
        RandomNumbers::installFixedSource([&generator] { return generator.next(); });
        openTips();
        constexpr int kPresses = 5000;
        std::map<QString, int> seen;
        CommandButton *nextTip = button("cmdNextTip");
        for (int i = 0; i < kPresses; ++i) {
            nextTip->click();
            ++seen[shownTip()];
        }
        QCOMPARE(static_cast<int>(seen.size()), tips.size());
        const double expected = static_cast<double>(kPresses) / tips.size();
        double chiSquare = 0.0;
        for (const QString &text : tips)
            chiSquare += (seen[text] - expected) * (seen[text] - expected) / expected;
        // 4 degrees of freedom: above 18.47 one time in a thousand. Always the
        // same tip gives 20000; leaving one tip out gives 1250.
        QVERIFY2(chiSquare < 18.47, qPrintable(QString::number(chiSquare)));
    }

    void placedBesideTheMainWindow_data() {
        QTest::addColumn<int>("mainLeft");
        QTest::addColumn<bool>("onTheRight");
        // The test screen is 800 pixels wide: too narrow for both windows
        // side by side unless the main window reaches past an edge.
        QTest::newRow("room on the right") << -300 << true;
        QTest::newRow("room only on the left") << 500 << false;
    }

    void placedBesideTheMainWindow() {
        QFETCH(int, mainLeft);
        QFETCH(bool, onTheRight);
        FormWindow &main = mainForm().window();
        main.move(mainLeft, 40);
        openTips();
        const QRect mainFrame = main.frameGeometry();
        const QRect tipFrame = tipWindow()->frameGeometry();
        QVERIFY(!tipFrame.intersects(mainFrame));
        QCOMPARE(tipFrame.left() > mainFrame.right(), onTheRight);
        QCOMPARE(tipFrame.top(), mainFrame.top());
        QVERIFY(main.screen()->availableGeometry().contains(tipFrame));
    }

    void withoutTheMainWindowAtItsDesignPosition() {
        mainForm().Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        tip().Show();
        QCOMPARE(tipWindow()->pos(), QPoint(158, 160));
    }

    void shippedTipsAreShownWhole() {
        const QString shipped = QFINDTESTDATA("../../tip_window/help.cfg");
        QVERIFY(!shipped.isEmpty());
        QFile file(shipped);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.endsWith('\n'));
        QVERIFY(!bytes.contains('\r'));
        QVERIFY(QString::fromUtf8(bytes).toUtf8() == bytes);
        const QStringList lines = QString::fromUtf8(bytes.chopped(1)).split(QLatin1Char('\n'));
        QVERIFY(lines.size() >= 12);
        QVERIFY(QFile::copy(shipped, m_folder->filePath(QStringLiteral("help.cfg"))));
        openTips();
        QCOMPARE(tipTexts(tip()), lines);
        Label *label = tipLabel();
        for (const QString &line : lines) {
            QVERIFY(!line.trimmed().isEmpty());
            label->SetCaption(line);
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(line));
        }
    }
};

QTEST_MAIN(TipWindowTest)
#include "test_tip_window.moc"
