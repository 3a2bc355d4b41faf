// Cuts inside long lines, as a user and a screen reader meet them in the
// input box: the text, a copy and the reader's offsets skip them; the caret,
// Backspace and Delete go across a cut as across any two characters; a
// paste or a key that makes a block long cuts it in the same edit; undo and
// redo give back each text exactly.
#include "runtime/forms/text_box_accessible.h"
#include "tests/window_fixture/window_fixture.h"

#include <QAccessible>
#include <QClipboard>
#include <QTextBlock>

using namespace glyphmill;

namespace {

constexpr int kBound = BlockCutter::kBlockLength;

// `length` digits counting up, so that a missing one shows where.
QString digitLine(int length) {
    return QStringLiteral("0123456789").repeated(length / 10 + 1).left(length);
}

// Where the box's blocks end inside a line of `read` (line ends as "\n"),
// found from the blocks' own characters; {-1} if they do not hold `read`.
QList<int> cutsIn(const QTextDocument &document, const QString &read) {
    QList<int> cuts;
    int at = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QString text = block.text().replace(QChar::LineSeparator, u'\n');
        if (read.mid(at, text.size()) != text || block.length() > kBound + 1)
            return {-1};
        at += static_cast<int>(text.size());
        if (block.next().isValid() && read.mid(at, 1) == u"\n")
            ++at;
        else if (block.next().isValid())
            cuts.append(at);
    }
    return at == read.size() ? cuts : QList<int>{-1};
}

} // namespace

class TextCutsTest : public test::WindowTest {
    Q_OBJECT

    static TextBox *box() { return control("Text1"); }
    static QAccessibleTextInterface *reader() { return WindowTest::reader(box()); }
    // Keys as in "Ctrl+A, Ctrl+C", up to four.
    static void keys(const char *keys) {
        QTest::keySequence(box(), QKeySequence(QString::fromLatin1(keys)));
    }
    static void caretAt(int offset) { reader()->setCursorPosition(offset); }

  private Q_SLOTS:
    // Rows "ADDED@AT" go on: ADDED then goes in at AT, pasted if it starts with x, else typed.
    void cuts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("pasted");
        QTest::addColumn<bool>("cut");
        QTest::addColumn<int>("at");
        QTest::addColumn<QString>("added");
        const auto row = [](const QByteArray &name, const QString &text, bool pasted, bool cut,
                            int at = 0, const QString &added = {}) {
            QTest::newRow(name) << text << pasted << cut << at << added;
        };
        // A block is cut where the line wraps once it is 3/4 of the bound.
        const QString line = digitLine(kBound / 4 * 3 - 1);
        for (const bool pasted : {false, true}) {
            const QByteArray how = pasted ? ", pasted" : ", set";
            row("short of 3/4 the bound" + how, line, pasted, false);
            row("bound - 1" + how, digitLine(kBound - 1), pasted, true);
            row("bound + 1" + how, digitLine(kBound + 1), pasted, true);
            row("twice the bound" + how, digitLine(2 * kBound + 5), pasted, true);
            row("1M piece end" + how, digitLine((1 << 20) + 3), pasted, true);
            row("after 256 lines" + how,
                QStringLiteral("01\r\n").repeated(256) + digitLine(kBound + 9) + "\r\n9", pasted,
                true);
        }
        // A paste or keys that make a line long cut it in the same edit: one undo takes back
        // the paste, or the keys typed since the cut.
        const QString pasted(kBound / 2, u'x');
        row("paste at the end", line, false, true, line.size(), pasted);
        row("paste in the middle", line, false, true, line.size() / 2, pasted);
        row("keys at the end", line, false, true, line.size(), QString(kBound / 4 + 9, u'y'));
    }
    void cuts() {
        QFETCH(QString, text);
        QFETCH(bool, pasted);
        QFETCH(int, at);
        QFETCH(QString, added);
        pasted ? paste(box(), text) : box()->SetText(text);
        if (!added.isEmpty()) {
            box()->setFocus();
            caretAt(at);
            added.startsWith(u'x') ? paste(box(), added) : QTest::keyClicks(box(), added);
            QCOMPARE(reader()->cursorPosition(), at + added.size());
            keys("Ctrl+Z");
            QVERIFY(added.startsWith(u'x')
                        ? box()->Text() == text
                        : box()->Text().size() < text.size() + added.size() &&
                              QString(text).insert(at, added).startsWith(box()->Text()));
            keys("Ctrl+Y");
            text.insert(at, added);
        }
        QCOMPARE(box()->Text(), text);
        const QString whole = QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        const QList<int> cuts = cutsIn(*box()->document(), whole);
        QVERIFY(!cuts.contains(-1));
        QTEST(!cuts.isEmpty(), "cut");
        QCOMPARE(copyAll(box()), whole);
        QCOMPARE(reader()->characterCount(), whole.size());
        QCOMPARE(reader()->text(0, -1), whole.left(TextBoxAccessible::kMaxText));
        // Keys leave the caret at `caret`, and the text as read less the character at `gone`
        // (-1: none).
        const auto after = [&](const char *sequence, int caret, int gone) {
            keys(sequence);
            QCOMPARE(reader()->cursorPosition(), caret);
            QCOMPARE(box()->Text().replace("\r\n", "\n"),
                     gone < 0 ? whole : QString(whole).remove(gone, 1));
        };
        for (const int cut : {cuts.value(0, whole.size() / 2), cuts.value(cuts.size() - 1, 9)}) {
            QCOMPARE(reader()->text(cut - 2, cut + 2), whole.mid(cut - 2, 4));
            caretAt(cut);
            after("Right", cut + 1, -1);
            after("Left, Left", cut - 1, -1);
            after("Right, Del", cut, cut);
            // Undo leaves the caret after what it puts back.
            after("Ctrl+Z", cut + 1, -1);
            caretAt(cut);
            after("Backspace", cut - 1, cut - 1);
            after("Ctrl+Z", cut, -1);
            after("Ctrl+Y", cut - 1, cut - 1);
            after("Ctrl+Z", cut, -1);
            // A word goes on across a cut: the line is one word, the next starts the next line.
            caretAt(cut - 3);
            const qsizetype lineEnd = whole.indexOf(u'\n', cut);
            after("Ctrl+Right", lineEnd < 0 ? whole.size() : lineEnd + 1, -1);
            after("Ctrl+Left", whole.lastIndexOf(u'\n', cut) + 1, -1);
            // A cut goes where the box wraps the line anyway: in a line of digits, the row
            // before it is as long as the others.
            if (cuts.contains(cut) && added.isEmpty()) {
                QTextLayout *rows =
                    box()->document()->findBlock(cut + cuts.indexOf(cut) - 1).layout();
                QVERIFY(rows->lineCount() > 2);
                QCOMPARE(rows->lineAt(rows->lineCount() - 1).textLength(),
                         rows->lineAt(0).textLength());
            }
        }
        QCOMPARE(box()->Text(), text);
        // All of it deleted and taken back: the cuts come back as cuts.
        keys("Ctrl+A, Del, Ctrl+Z");
        QCOMPARE(box()->Text(), text);
        QCOMPARE(cutsIn(*box()->document(), whole), cuts);
    }
};

QTEST_MAIN(TextCutsTest)
#include "text_cuts_test.moc"
