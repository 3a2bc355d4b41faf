// Input meant to break the program: huge pastes, characters the code page
// lacks, NUL characters, odd numbers and tips files that are no tips files.
// After each the program must still work and hold everything the user typed.
#include "app.h"
#include "command_button.h"
#include "form1.h"
#include "frmtip.h"
#include "gui_test.h"
#include "label.h"
#include "option_button.h"
#include "qt_text.h"
#include "single_line_text_box.h"
#include "text_box.h"
#include "value_operations.h"
#include "windows_1252.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>

#include <memory>

using namespace glyphmill;
using glyphmill::test::child;

namespace {

constexpr qsizetype kTenMegabytes = 10 * 1024 * 1024;

const QString kMissingTipsMessage =
    QStringLiteral("That the help.cfg file was not found? \r\n\r\nCreate a text file named "
                   "help.cfg using NotePad with 1 tip per line. Then place it in the same "
                   "directory as the application. ");

// Lines of 99 characters of the code page and an LF, as a text editor on
// this platform writes them, to a total of `size` characters.
QString textLines(qsizetype size) {
    const QString alphabet = QStringLiteral("The quick brown fox jumps over the lazy dog: "
                                            "café, naïve, 5 € — ÆØÅ «»!");
    QString text;
    text.reserve(size);
    while (text.size() < size) {
        for (int i = 0; i < 99 && text.size() < size - 1; ++i)
            text += alphabet[(text.size() + i) % alphabet.size()];
        text += QChar(u'\n');
    }
    return text;
}

// The text that digitLines() spells: a sentence over and over.
QString sentences(qsizetype length) {
    const QString sentence = QStringLiteral("The quick brown fox jumps over the lazy dog. ");
    QString text;
    text.reserve(length);
    while (text.size() < length)
        text += sentence.at(text.size() % sentence.size());
    return text;
}

// Lines of eight digits and an LF, a character's code on each, to a total
// of at most `size` characters.
QString digitLines(qsizetype size) {
    QString text;
    text.reserve(size);
    for (const QChar c : sentences(size / 9)) {
        for (int bit = 7; bit >= 0; --bit)
            text += (c.unicode() >> bit) & 1 ? QChar(u'1') : QChar(u'0');
        text += QChar(u'\n');
    }
    return text;
}

QString withCrLf(QString text) {
    return text.replace(QChar(u'\n'), QStringLiteral("\r\n"));
}

// The lines of a text, ended by CR LF, a lone CR or a lone LF.
QStringList linesOf(const QString &text) {
    QStringList lines;
    QString line;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QChar(u'\r') || text[i] == QChar(u'\n')) {
            lines << line;
            line.clear();
            if (text[i] == QChar(u'\r') && i + 1 < text.size() && text[i + 1] == QChar(u'\n'))
                ++i;
        } else {
            line += text[i];
        }
    }
    if (!line.isEmpty())
        lines << line;
    return lines;
}

} // namespace

class HostileInputTest : public QObject {
    Q_OBJECT

  private:
    Form1 &form() { return defaultInstance<Form1>(); }
    FormWindow *window() { return &form().window(); }
    TextBox *text(const char *name) { return child<TextBox>(window(), name); }
    SingleLineTextBox *numberBox() { return child<SingleLineTextBox>(window(), "Text5"); }
    OptionButton *option(const char *name) { return child<OptionButton>(window(), name); }
    void clickDo() {
        QTest::mouseClick(child<CommandButton>(window(), "Command1"), Qt::LeftButton);
    }
    void choose(const char *optionName) { QTest::mouseClick(option(optionName), Qt::LeftButton); }
    void paste(QWidget *box, const QString &pasted) {
        QApplication::clipboard()->setText(pasted);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    }

    // The three conversions still give their answers.
    void programStillWorks() {
        QVERIFY(!EventDispatch::programEnded());
        QVERIFY(window()->isVisible());
        m_reports->clear();
        numberBox()->SetText(QStringLiteral("5"));
        choose("Option1");
        text("Text1")->SetText(QStringLiteral("Hi"));
        clickDo();
        QCOMPARE(text("Text3")->Text(), QStringLiteral("01001000\r\n01101001\r\n"));
        choose("Option2");
        text("Text1")->SetText(QStringLiteral("01001000\r\n01101001\r\n"));
        clickDo();
        QCOMPARE(text("Text3")->Text(), QStringLiteral("Hi"));
        choose("Option3");
        numberBox()->SetText(QStringLiteral("5"));
        clickDo();
        QCOMPARE(text("Text2")->Text(), QStringLiteral("101"));
        QCOMPARE(m_reports->reports(), QStringList());
    }

    frmTip &tip() { return defaultInstance<frmTip>(); }
    QString tipsPath() const { return m_folder->filePath(QStringLiteral("help.cfg")); }
    void writeTips(const QByteArray &bytes) {
        QFile file(tipsPath());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(bytes), bytes.size());
    }
    void openTips() {
        child<QAction>(window(), "mnuhelp")->trigger();
        QVERIFY(tip().isLoaded());
        QVERIFY(QTest::qWaitForWindowExposed(&tip().window()));
    }
    QString shownTip() { return child<Label>(&tip().window(), "lblTipText")->Caption(); }
    void pressTipButton(const char *name) {
        QTest::mouseClick(child<CommandButton>(&tip().window(), name), Qt::LeftButton);
    }
    // The tip window still opens, shows a tip of a good file and closes.
    void tipWindowStillWorks() {
        if (tip().isLoaded())
            pressTipButton("cmdOK");
        QVERIFY(!tip().isLoaded());
        tip().Tips = Collection();
        writeTips("only tip\n");
        openTips();
        QCOMPARE(shownTip(), QStringLiteral("only tip"));
        pressTipButton("cmdNextTip");
        QCOMPARE(shownTip(), QStringLiteral("only tip"));
        pressTipButton("cmdOK");
        QVERIFY(!tip().isLoaded());
    }

    std::unique_ptr<test::ReportCollector> m_reports;
    std::unique_ptr<test::ProgramFolder> m_folder;

  private Q_SLOTS:
    void init() {
        test::resetProgram();
        m_reports = std::make_unique<test::ReportCollector>();
        m_folder = std::make_unique<test::ProgramFolder>();
        QVERIFY(m_folder->isValid());
        form().Show();
        QVERIFY(QTest::qWaitForWindowActive(window()));
    }

    void cleanup() {
        m_reports.reset();
        test::resetProgram();
        m_folder.reset();
        QApplication::clipboard()->clear();
    }

    void tenMegabytePaste_data() {
        QTest::addColumn<QString>("mode");
        QTest::newRow("Ascii To Binary") << "Option1";
        QTest::newRow("Binary To Ascii") << "Option2";
        QTest::newRow("Number To Binary") << "Option3";
    }

    void tenMegabytePaste() {
        QFETCH(QString, mode);
        const bool binary = mode != QStringLiteral("Option1");
        const QString pasted = binary ? digitLines(kTenMegabytes) : textLines(kTenMegabytes);
        const QString typed = withCrLf(pasted);
        if (binary)
            choose("Option2");
        if (mode == QStringLiteral("Option3")) {
            choose("Option3");
            numberBox()->SetText(QStringLiteral("1073741824"));
        }
        paste(text("Text1"), pasted);
        QCOMPARE(text("Text1")->Text().size(), typed.size());
        QVERIFY(text("Text1")->Text() == typed);

        clickDo();
        QCOMPARE(m_reports->reports(), QStringList());
        QVERIFY2(text("Text1")->Text() == typed, "the input box lost some of the paste");
        const QString answer = text("Text3")->Text();
        if (binary) {
            const qsizetype lines = pasted.size() / 9;
            QCOMPARE(answer.size(), lines);
            QVERIFY(answer == sentences(lines));
            QCOMPARE(text("Text4")->Text().size(), lines * 8);
        } else {
            QCOMPARE(answer.size(), typed.size() * 10);
            // "T", then the CR LF of the first line break, then the last LF.
            QCOMPARE(answer.left(10), QStringLiteral("01010100\r\n"));
            QCOMPARE(answer.mid(99 * 10, 20), QStringLiteral("00001101\r\n00001010\r\n"));
            QCOMPARE(answer.right(10), QStringLiteral("00001010\r\n"));
        }
        if (mode == QStringLiteral("Option3"))
            QCOMPARE(text("Text2")->Text(), QStringLiteral("1") + QString(30, QChar(u'0')));
        programStillWorks();
    }

    void charactersOutsideTheCodePage_data() {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("report");
        QTest::addColumn<QString>("answerBefore");
        QTest::newRow("Greek letter")
            << QStringLiteral("Hi Ω!")
            << QStringLiteral("Character 'Ω' (U+03A9) at position 4 has no 8-bit code")
            << QStringLiteral("Hi ");
        QTest::newRow("character beyond 16 bits")
            << QStringLiteral("A😀B")
            << QStringLiteral("Character '😀' (U+1F600) at position 2 has no 8-bit code")
            << QStringLiteral("A");
        QTest::newRow("lone surrogate")
            << (QStringLiteral("ab") + QChar(0xD800) + QStringLiteral("c"))
            << QStringLiteral("Character '\uFFFD' (U+D800) at position 3 has no 8-bit code")
            << QStringLiteral("ab");
        QTest::newRow("first character")
            << QStringLiteral("中文")
            << QStringLiteral("Character '中' (U+4E2D) at position 1 has no 8-bit code")
            << QString();
        QTest::newRow("C1 control without a code")
            << (QStringLiteral("x") + QChar(0x0080))
            << QStringLiteral("Character '\u0080' (U+0080) at position 2 has no 8-bit code")
            << QStringLiteral("x");
    }

    void charactersOutsideTheCodePage() {
        QFETCH(QString, pasted);
        QFETCH(QString, report);
        QFETCH(QString, answerBefore);
        paste(text("Text1"), pasted);
        QCOMPARE(text("Text1")->Text(), pasted);
        clickDo();
        QCOMPARE(m_reports->reports(),
                 QStringList{QStringLiteral("Run-time error '5':\n\n") + report});
        QString digits;
        for (const QChar c : answerBefore) {
            for (int bit = 7; bit >= 0; --bit)
                digits += (c.unicode() >> bit) & 1 ? QChar(u'1') : QChar(u'0');
            digits += QStringLiteral("\r\n");
        }
        QCOMPARE(text("Text3")->Text(), digits);
        QCOMPARE(text("Text1")->Text(), pasted);

        // Binary to text counts every such character as a 0 digit.
        choose("Option2");
        clickDo();
        QCOMPARE(text("Text1")->Text(), pasted);
        QCOMPARE(text("Text4")->Text(), pasted);
        programStillWorks();
    }

    void nulCharacters_data() {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("kept");
        const QChar nul(u'\0');
        QTest::newRow("inside") << (QStringLiteral("ab") + nul + QStringLiteral("cd"))
                                << QStringLiteral("abcd");
        QTest::newRow("first") << (nul + QStringLiteral("Hi")) << QStringLiteral("Hi");
        QTest::newRow("only NULs") << QString(5, nul) << QString();
        QTest::newRow("between digits")
            << (QStringLiteral("0100") + nul + QStringLiteral("1000\n0110") + nul + nul +
                QStringLiteral("1001"))
            << QStringLiteral("01001000\r\n01101001");
    }

    void nulCharacters() {
        QFETCH(QString, pasted);
        QFETCH(QString, kept);
        // A paste drops them and keeps the rest.
        paste(text("Text1"), pasted);
        QCOMPARE(text("Text1")->Text(), kept);
        clickDo();
        QCOMPARE(text("Text1")->Text(), kept);
        QCOMPARE(text("Text3")->Text().size(), kept.size() * 10);
        // The number box keeps every other character of a one-line paste.
        paste(numberBox(), QString(pasted).remove(QChar(u'\n')));
        QCOMPARE(numberBox()->Text().remove(QChar(u'\0')),
                 QString(kept).remove(QStringLiteral("\r\n")));
        // A text set by the program keeps what comes before the first one.
        text("Text1")->SetText(pasted);
        QCOMPARE(text("Text1")->Text(), pasted.left(pasted.indexOf(QChar(u'\0'))));
        programStillWorks();
    }

    void hostileNumbers_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("digits"); // the binary answer box afterwards
        QTest::addColumn<QString>("report");
        const QString before = QStringLiteral("answer before");
        const auto refused = [](const QString &typed, int number, const char *description) {
            return QStringLiteral("Run-time error '%1':\n\n%2\n\nThe number \"%3\" was refused: "
                                  "\"Number To Binary\" takes numbers from 0 to 1073741824.")
                .arg(number)
                .arg(QString::fromLatin1(description), typed);
        };
        QTest::newRow("1e999") << "1e999"
                               << "" << refused(QStringLiteral("1e999"), 6, "Overflow");
        QTest::newRow("-0") << "-0"
                            << "0"
                            << "";
        QTest::newRow("nan") << "nan" << before << "";
        QTest::newRow("inf") << "inf" << before << "";
        QTest::newRow("two spaces") << "  " << before << "";
        QTest::newRow("decimal comma") << "1,5" << before << "";
        QTest::newRow("hexadecimal") << "0x10" << before << "";
        const QString nines(10000, QChar(u'9'));
        // A long number is quoted by its start and its length.
        QTest::newRow("10,000 digits")
            << nines << ""
            << QStringLiteral("Run-time error '6':\n\nOverflow\n\nThe number "
                              "\"99999999999999999999…\" (10000 digits) was refused: "
                              "\"Number To Binary\" takes numbers from 0 to 1073741824.");
        QTest::newRow("10,000 digits after the point")
            << (QStringLiteral("0.") + QString(9998, QChar(u'0')) + QStringLiteral("1")) << "0"
            << "";
        QTest::newRow("a hair above 2^30, rounded to it")
            << "1073741824.0000001" << (QStringLiteral("1") + QString(30, QChar(u'0'))) << "";
        QTest::newRow("negative half")
            << "-0.5"
            << "" << refused(QStringLiteral("-0.5"), 13, "Type mismatch");
        QTest::newRow("below the smallest double") << "1e-999"
                                                   << "0"
                                                   << "";
    }

    void hostileNumbers() {
        QFETCH(QString, typed);
        QFETCH(QString, digits);
        QFETCH(QString, report);
        choose("Option3");
        text("Text2")->SetText(QStringLiteral("answer before"));
        text("Text1")->SetText(QStringLiteral("A"));
        numberBox()->setFocus();
        numberBox()->selectAll();
        // Long numbers are pasted: typing them key by key takes seconds.
        if (typed.size() > 100)
            paste(numberBox(), typed);
        else
            QTest::keyClicks(numberBox(), typed);
        QCOMPARE(numberBox()->Text(), typed);
        clickDo();
        QCOMPARE(text("Text2")->Text(), digits);
        QCOMPARE(m_reports->reports(), report.isEmpty() ? QStringList() : QStringList{report});
        QCOMPARE(numberBox()->Text(), typed);
        QCOMPARE(text("Text1")->Text(), QStringLiteral("A"));
        programStillWorks();
    }

    void hostileTipsFiles_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("shown"); // empty: any line of the file
        QTest::newRow("folder") << "folder" << kMissingTipsMessage;
        QTest::newRow("no permission") << "no permission" << kMissingTipsMessage;
        QTest::newRow("error while reading") << "error while reading" << kMissingTipsMessage;
        QTest::newRow("named pipe") << "named pipe" << kMissingTipsMessage;
        QTest::newRow("link to itself") << "link to itself" << kMissingTipsMessage;
        QTest::newRow("link to nowhere") << "link to nowhere" << kMissingTipsMessage;
        QTest::newRow("50 MB of lines") << "50 MB of lines"
                                        << "";
        QTest::newRow("binary") << "binary"
                                << "";
        QTest::newRow("invalid UTF-8") << "invalid UTF-8" << QStringLiteral("café au lait");
    }

    void hostileTipsFiles() {
        QFETCH(QString, kind);
        QFETCH(QString, shown);
        const QByteArray path = QFile::encodeName(tipsPath());
        QStringList lines; // the lines any tip must be one of
        if (kind == QStringLiteral("folder")) {
            QVERIFY(QDir(m_folder->path()).mkdir(QStringLiteral("help.cfg")));
        } else if (kind == QStringLiteral("no permission")) {
            writeTips("a tip nobody may read\n");
            QVERIFY(::chmod(path.constData(), 0) == 0);
            QFile probe(tipsPath());
            if (probe.open(QIODevice::ReadOnly))
                QSKIP("This user reads files without permission (root): the case cannot be made");
        } else if (kind == QStringLiteral("error while reading")) {
            // A file that opens but fails at its first read (address 0 of the
            // memory of a process is never mapped), whoever the user is.
            QVERIFY(QFile::link(QStringLiteral("/proc/self/mem"), tipsPath()));
        } else if (kind == QStringLiteral("named pipe")) {
            QVERIFY(::mkfifo(path.constData(), 0600) == 0);
        } else if (kind == QStringLiteral("link to itself")) {
            QVERIFY(QFile::link(tipsPath(), tipsPath()));
        } else if (kind == QStringLiteral("link to nowhere")) {
            QVERIFY(QFile::link(m_folder->filePath(QStringLiteral("gone")), tipsPath()));
        } else if (kind == QStringLiteral("50 MB of lines")) {
            const QString content = textLines(50 * 1024 * 1024);
            writeTips(content.toUtf8());
            lines = linesOf(content);
        } else if (kind == QStringLiteral("binary")) {
            QByteArray content(64 * 1024, '\0');
            QRandomGenerator random(8);
            for (char &byte : content)
                byte = static_cast<char>(random.bounded(256));
            writeTips(content);
            // Not UTF-8: every byte is a character of the code page.
            lines = linesOf(qtText(Windows1252::decode(content.toStdString())));
        } else if (kind == QStringLiteral("invalid UTF-8")) {
            writeTips("caf\xe9 au lait\n");
        }

        openTips();
        QCOMPARE(m_reports->reports(), QStringList());
        if (!shown.isEmpty())
            QCOMPARE(shownTip(), shown);
        else if (!lines.isEmpty())
            QVERIFY(lines.contains(shownTip()));
        pressTipButton("cmdNextTip");
        if (!lines.isEmpty())
            QVERIFY(lines.contains(shownTip()));
        pressTipButton("cmdOK");
        QVERIFY(!tip().isLoaded());

        QFile::remove(tipsPath());
        QDir(m_folder->path()).rmdir(QStringLiteral("help.cfg"));
        tipWindowStillWorks();
        programStillWorks();
    }

    void tipsFileRemovedWhileTheWindowIsOpen() {
        writeTips("first\nsecond\nthird\n");
        openTips();
        const QStringList tips{QStringLiteral("first"), QStringLiteral("second"),
                               QStringLiteral("third")};
        QVERIFY(tips.contains(shownTip()));
        QVERIFY(QFile::remove(tipsPath()));
        // The tips read at the opening stay.
        for (int i = 0; i < 5; ++i) {
            pressTipButton("cmdNextTip");
            QVERIFY(tips.contains(shownTip()));
        }
        pressTipButton("cmdOK");
        openTips();
        QCOMPARE(shownTip(), kMissingTipsMessage);
        pressTipButton("cmdNextTip");
        QVERIFY(tips.contains(shownTip()));
        tipWindowStillWorks();
        programStillWorks();
    }
};

QTEST_MAIN(HostileInputTest)
#include "test_hostile_input.moc"
