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
    QString line(length, Qt::Uninitialized);
    for (int i = 0; i < length; ++i)
        line[i] = QChar(u'0' + i % 10);
    return line;
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
    // The box's text as the reader reads it.
    static QString read() {
        return box()->Text().replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    }
    // Keys as in "Ctrl+A, Ctrl+C", up to four.
    static void keys(const char *sequence) {
        QTest::keySequence(box(), QKeySequence(QString::fromLatin1(sequence)));
    }
    static void caretAt(int offset) { reader()->setCursorPosition(offset); }

  private Q_SLOTS:
    void cuts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("pasted");
        QTest::addColumn<bool>("cut");
        for (const bool pasted : {false, true}) {
            const QByteArray how = pasted ? ", pasted" : ", set";
            // A block is cut where the line wraps once it is 3/4 of the bound.
            QTest::newRow("short of 3/4 the bound" + how)
                << digitLine(kBound / 4 * 3 - 1) << pasted << false;
            QTest::newRow("bound - 1" + how) << digitLine(kBound - 1) << pasted << true;
            QTest::newRow("bound + 1" + how) << digitLine(kBound + 1) << pasted << true;
            QTest::newRow("twice the bound" + how) << digitLine(2 * kBound + 5) << pasted << true;
            QTest::newRow("1M piece end" + how) << digitLine((1 << 20) + 3) << pasted << true;
            QTest::newRow("after 256 lines" + how)
                << QStringLiteral("01\r\n").repeated(256) + digitLine(kBound + 9) + "\r\n9"
                << pasted << true;
        }
    }
    void cuts() {
        QFETCH(QString, text);
        QFETCH(bool, pasted);
        if (pasted)
            paste(box(), text);
        else
            box()->SetText(text);
        QCOMPARE(box()->Text(), text);
        const QString whole = QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        const QList<int> cuts = cutsIn(*box()->document(), whole);
        QVERIFY(!cuts.contains(-1));
        QTEST(!cuts.isEmpty(), "cut");
        QCOMPARE(copyAll(box()), whole);
        QCOMPARE(reader()->characterCount(), whole.size());
        QCOMPARE(reader()->text(0, -1), whole.left(TextBoxAccessible::kMaxText));
        for (const int cut : {cuts.value(0, whole.size() / 2), cuts.value(cuts.size() - 1, 9)}) {
            QCOMPARE(reader()->text(cut - 2, cut + 2), whole.mid(cut - 2, 4));
            caretAt(cut);
            keys("Right");
            QCOMPARE(reader()->cursorPosition(), cut + 1);
            keys("Left, Left");
            QCOMPARE(reader()->cursorPosition(), cut - 1);
            // The caret before the cut, then after it.
            keys("Right, Del");
            QCOMPARE(read(), QString(whole).remove(cut, 1));
            keys("Ctrl+Z");
            QCOMPARE(box()->Text(), text);
            caretAt(cut);
            keys("Backspace");
            QCOMPARE(read(), QString(whole).remove(cut - 1, 1));
            QCOMPARE(reader()->cursorPosition(), cut - 1);
            keys("Ctrl+Z");
            QCOMPARE(box()->Text(), text);
            keys("Ctrl+Y");
            QCOMPARE(read(), QString(whole).remove(cut - 1, 1));
            keys("Ctrl+Z");
            // A word goes on across a cut.
            caretAt(cut - 3);
            keys("Ctrl+Right");
            QVERIFY(reader()->cursorPosition() > cut);
            keys("Ctrl+Left");
            QVERIFY(reader()->cursorPosition() < cut - 3);
        }
        QCOMPARE(box()->Text(), text);
        // All of it deleted and taken back: the cuts come back as cuts.
        keys("Ctrl+A, Del, Ctrl+Z");
        QCOMPARE(box()->Text(), text);
        QCOMPARE(cutsIn(*box()->document(), whole), cuts);
    }

    // A paste or keys that make a line longer than a block cut it in the same
    // edit: one undo takes back the paste, or the keys typed since the cut.
    void growingPastTheBound_data() {
        QTest::addColumn<int>("at");
        QTest::addColumn<QString>("added");
        const QString pasted(kBound / 2, u'x');
        const int length = kBound / 4 * 3 - 1;
        QTest::newRow("paste at the end") << length << pasted;
        QTest::newRow("paste in the middle") << length / 2 << pasted;
        QTest::newRow("keys at the end") << length << QString(kBound / 4 + 9, u'y');
    }
    void growingPastTheBound() {
        QFETCH(int, at);
        QFETCH(QString, added);
        const QString line = digitLine(kBound / 4 * 3 - 1);
        box()->SetText(line);
        QVERIFY(cutsIn(*box()->document(), line).isEmpty());
        box()->setFocus();
        caretAt(at);
        if (added.startsWith(u'x'))
            paste(box(), added);
        else
            QTest::keyClicks(box(), added);
        const QString grown = QString(line).insert(at, added);
        QCOMPARE(box()->Text(), grown);
        const QList<int> cuts = cutsIn(*box()->document(), grown);
        QVERIFY(!cuts.isEmpty() && !cuts.contains(-1));
        QCOMPARE(reader()->cursorPosition(), at + added.size());
        QCOMPARE(reader()->characterCount(), grown.size());
        keys("Ctrl+Z");
        QVERIFY(added.startsWith(u'x')
                    ? box()->Text() == line
                    : grown.startsWith(box()->Text()) && box()->Text().size() < grown.size());
        keys("Ctrl+Y");
        QCOMPARE(box()->Text(), grown);
    }

    // Where the box wraps a line of digits anyway, a cut shows nothing of
    // itself: the line before it is as long as the others.
    void cutWhereTheLineWraps() {
        box()->SetText(digitLine(3 * kBound));
        box()->setFocus();
        keys("Ctrl+End");
        box()->moveCursor(QTextCursor::Start);
        const QTextBlock first = box()->document()->begin();
        QTextLayout *layout = first.layout();
        QVERIFY(layout && layout->lineCount() > 2);
        QCOMPARE(layout->lineAt(layout->lineCount() - 1).textLength(),
                 layout->lineAt(0).textLength());
    }
};

QTEST_MAIN(TextCutsTest)
#include "text_cuts_test.moc"
