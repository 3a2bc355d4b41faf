// The form runtime as a user and a screen reader meet it.
// - The answer box after "DO!!!" with answers of many lines: what it reads
//   back, what a copy gives, typing, its one undo level; its scroll bar over
//   a million lines.
// - What a screen reader reads: every line break reads as "\n", offsets are
//   the caret's, and a huge box answers with a bounded piece instead of all
//   of it.
// - Cuts inside long lines of the input box: the text, a copy and the
//   reader's offsets skip them; the caret, Backspace and Delete go across a
//   cut as across any two characters; a paste or a key that makes a block
//   long cuts it in the same edit; undo and redo give back each text exactly.
// - A caret in the number box that stays lit in a huge line rather than lay
//   it out on each blink; keys reaching a box's key handler with real event
//   times: a program typing keys loses none, and of a held key only the
//   repeats queued while the handler was busy are dropped.
// - How a text goes into a document and comes back: line ends where the text
//   goes in pieces, block ends, no block long.
// - How the changes a document reports during one edit become one
//   replacement that undo can take back.
// - How a failure in a handler ends: an error of a value operation is
//   reported and the program goes on; anything else is reported and ends
//   the program with status 1, whichever handler it came from.
#include "runtime/forms/document_filler.h"
#include "runtime/forms/event_dispatch.h"
#include "runtime/forms/pending_edit.h"
#include "runtime/forms/text_box_accessible.h"
#include "runtime/forms/text_cuts.h"
#include "tests/window_fixture/window_fixture.h"

#include <QAccessible>
#include <QClipboard>
#include <QGuiApplication>
#include <QScrollBar>
#include <QStyleHints>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QThread>
#include <QTimer>

#include <climits>
#include <functional>
#include <new>
#include <stdexcept>
#include <utility>

using namespace glyphmill;
using Handler = std::function<void()>;
Q_DECLARE_METATYPE(Handler)

class FormsTest : public test::WindowTest {
    Q_OBJECT

    // What the event loop returns while the program goes on.
    static constexpr int kGoesOn = -1;

    static constexpr int kBound = BlockCutter::kBlockLength;

    // `length` digits counting up, so that a missing one shows where.
    static QString digitLine(int length) {
        return QStringLiteral("0123456789").repeated(length / 10 + 1).left(length);
    }

    // Where the box's blocks end inside a line of `read` (line ends as "\n"),
    // found from the blocks' own characters; {-1} if they do not hold `read`.
    static QList<int> cutsIn(const QTextDocument &document, const QString &read) {
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

    static TextBox *answerBox() { return control("Text3"); }
    static TextBox *inputBox() { return control("Text1"); }
    static QAccessibleTextInterface *input() { return reader(inputBox()); }
    // Keys in the input box, as in "Ctrl+A, Ctrl+C", up to four.
    static void keys(const char *keys) {
        QTest::keySequence(inputBox(), QKeySequence(QString::fromLatin1(keys)));
    }
    static QPoint caretAt(TextBox *box, int position) {
        QTextCursor cursor(box->document());
        cursor.setPosition(position);
        return box->viewport()->mapToGlobal(box->cursorRect(cursor).topLeft());
    }

  private Q_SLOTS:
    // Offsets count 9 to a line: line 255 is the last of the first block.
    void aroundAnOffset_data() {
        QTest::addColumn<char>("side");
        QTest::addColumn<QAccessible::TextBoundaryType>("boundary");
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("end");
        const auto c = QAccessible::CharBoundary, w = QAccessible::WordBoundary,
                   l = QAccessible::LineBoundary;
        QTest::newRow("character: the block end") << '=' << c << 2303 << 2303 << 2304;
        QTest::newRow("character: after a block end") << '>' << c << 2303 << 2304 << 2305;
        QTest::newRow("word: first after the block end") << '=' << w << 2307 << 2304 << 2312;
        QTest::newRow("word: before the block end") << '<' << w << 2303 << 2295 << 2303;
        QTest::newRow("line: last of a block") << '=' << l << 2297 << 2295 << 2304;
        QTest::newRow("line: before the first of a block") << '<' << l << 2306 << 2295 << 2304;
        QTest::newRow("line: after the last of a block") << '>' << l << 2295 << 2304 << 2313;
        QTest::newRow("line: the last one") << '=' << l << 5399 << 5391 << 5400;
        QTest::newRow("range: across the block end") << 'r' << c << 0 << 2299 << 2308;
        const auto s = QAccessible::SentenceBoundary;
        QTest::newRow("sentence: the last, at the end") << '=' << s << 5400 << 5391 << 5400;
        QTest::newRow("sentence: the last, at -1") << '=' << s << -1 << 5391 << 5400;
        QTest::newRow("character: the largest offset") << '=' << c << INT_MAX << 5400 << 5400;
        QTest::newRow("character: before the smallest") << '<' << c << INT_MIN << 0 << 0;
    }
    void aroundAnOffset() {
        QFETCH(char, side);
        QFETCH(QAccessible::TextBoundaryType, boundary);
        QFETCH(int, offset);
        QFETCH(int, start);
        QFETCH(int, end);
        convert(600);
        QAccessibleTextInterface *box = reader(answerBox());
        int from = -1, to = -1;
        const QString text = side == 'r'   ? (from = start, to = end, box->text(start, end))
                             : side == '<' ? box->textBeforeOffset(offset, boundary, &from, &to)
                             : side == '=' ? box->textAtOffset(offset, boundary, &from, &to)
                                           : box->textAfterOffset(offset, boundary, &from, &to);
        QCOMPARE(QPair(from, to), QPair(start, end));
        QCOMPARE(text, digits(600, 0, "\n").mid(start, end - start));
    }

    // All of the answer, and the caret, moved by keys or by the screen
    // reader, at the same offsets as the text read and where it is drawn.
    void caretAndSelection() {
        convert(600);
        QAccessibleTextInterface *box = reader(answerBox());
        // The extents are where the box draws its caret, and follow it when
        // it scrolls.
        QCOMPARE(box->characterRect(12).topLeft(), caretAt(answerBox(), 12));
        QCOMPARE(box->offsetAtPoint(caretAt(answerBox(), 12) + QPoint(1, 1)), 12);
        QVERIFY(box->characterRect(5390).isEmpty());
        QTest::keyClick(answerBox(), Qt::Key_End, Qt::ControlModifier);
        QVERIFY(box->characterRect(12).isEmpty());
        QCOMPARE(box->characterRect(5390).topLeft(), caretAt(answerBox(), 5390));
        QTest::keyClick(answerBox(), Qt::Key_Home, Qt::ControlModifier);
        for (int i = 0; i < 262; ++i)
            QTest::keyClick(answerBox(), Qt::Key_Down,
                            i < 250 ? Qt::NoModifier : Qt::ShiftModifier);
        int start = 0, end = 0;
        box->selection(0, &start, &end);
        QCOMPARE(QPair(start, end), QPair(250 * 9, 262 * 9));
        QCOMPARE(box->cursorPosition(), 262 * 9);
        QTest::keySequence(answerBox(), QKeySequence::Copy);
        QCOMPARE(QApplication::clipboard()->text(), digits(262, 250, "\n"));
        box->setCursorPosition(256 * 9);
        QCOMPARE(box->selectionCount(), 0);
        QTest::keyClicks(answerBox(), "x");
        QCOMPARE(answerBox()->Text().mid(256 * 10 - 2, 4), "\r\nx0");
        box->setSelection(0, 1, 2 * 9 + 1);
        QTest::keyClick(answerBox(), Qt::Key_Delete);
        QCOMPARE(box->text(0, 9), "0" + digits(3, 2, "\n").mid(1));
    }

    // A character is the same however it comes in (pasted, typed, from an
    // input method or a screen reader), and no path puts in one of code 0 (a
    // screen reader's insertText pads its text with them). Characters the
    // document would take as line ends read as themselves, line ends as "\n".
    void everyPathPutsInTheSameText_data() {
        QTest::addColumn<char>("path");
        QTest::addColumn<QString>("given");
        QTest::addColumn<QString>("kept");
        const QString odd = QString::fromUtf16(u"P\u2028Q\u2029R\ufdd0S\ufdd1T");
        for (const char path : {'p', 'k', 'm', 'r'})
            QTest::addRow("%c: separators, noncharacters", path) << path << odd << odd;
        QTest::newRow("p: line ends") << 'p' << odd + "\r\ne\rf\ng" << odd + "\r\ne\r\nf\r\ng";
        QTest::newRow("r: line ends") << 'r' << QStringLiteral("a\r\nb\nc") << "a\r\nb\r\nc";
        QTest::newRow("r: padded") << 'r' << QString("ABCDEFG") + QChar(0) + "H"
                                   << "ABCDEFG";
    }
    void everyPathPutsInTheSameText() {
        QFETCH(char, path);
        QFETCH(QString, given);
        QFETCH(QString, kept);
        TextBox *box = control("Text1");
        if (path == 'p')
            paste(box, given);
        if (path == 'r')
            QAccessible::queryAccessibleInterface(box)->editableTextInterface()->insertText(0,
                                                                                            given);
        for (const QChar c : path == 'k' ? given : QString())
            QTest::sendKeyEvent(QTest::Press, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QInputMethodEvent method;
        method.setCommitString(path == 'm' ? given : QString());
        QApplication::sendEvent(box, &method);
        QCOMPARE(box->Text(), kept);
        const QString read = QString(kept).replace("\r\n", "\n");
        QCOMPARE(reader(box)->text(0, -1), read);
        QCOMPARE(copyAll(box), read);
        // The first line, wherever the first character of that text is.
        int start = -1, end = -1;
        const QString line = reader(box)->textAtOffset(1, QAccessible::LineBoundary, &start, &end);
        const qsizetype lineEnd = read.indexOf(u'\n');
        QCOMPARE(QPair(line, start), QPair(lineEnd < 0 ? read : read.left(lineEnd + 1), 0));
    }

    // A line of zero-width characters is shown in rows of a block each, and
    // has extents up to as many characters as a screen may show.
    void zeroWidthLine() {
        TextBox *box = control("Text1");
        box->SetText("1" + QString(100'000, QChar(0x200b)) + "1");
        QCOMPARE(reader(box)->characterRect(BlockCutter::kBlockLength - 1).topLeft(),
                 caretAt(box, 1));
        reader(box)->setCursorPosition(60'000);
        QCOMPARE(reader(box)->characterRect(60'000).topLeft(),
                 box->viewport()->mapToGlobal(box->cursorRect().topLeft()));
        QVERIFY(reader(box)->characterRect(100'001).isEmpty());
    }

    // 1.3M characters, a 1.1M-character line among them: every answer has a
    // bounded size, and only the characters shown have extents.
    void hugeBox() {
        TextBox *box = control("Text1");
        constexpr int kMax = TextBoxAccessible::kMaxText;
        const QString line = QString(1'100'000, u'1');
        box->SetText(QString(100'000, u'2') + "\r\n" + line + "\r\n" + QString(100'000, u'3'));
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(box);
        QAccessibleTextInterface *text = accessible->textInterface();
        QCOMPARE(text->characterCount(), 1'300'002);
        QCOMPARE(text->text(0, -1), QString(100'000, u'2') + "\n" + line.left(kMax - 100'001));
        QCOMPARE(accessible->text(QAccessible::Value).size(), kMax);
        int start = 0, end = 0;
        const QString found = text->textAtOffset(700'000, QAccessible::LineBoundary, &start, &end);
        QCOMPARE(QPair(start, end), QPair(700'000 - kMax / 2, 1'200'002));
        QCOMPARE(found, line.left(end - start - 1) + "\n");
        QRect extents;
        for (int i = 0; i <= text->characterCount(); ++i)
            extents |= text->characterRect(i);
        const QRect shown(box->viewport()->mapToGlobal(QPoint(0, 0)), box->viewport()->size());
        QVERIFY(shown.contains(extents.topLeft()) && shown.contains(extents.topRight()));
        QVERIFY(extents.height() > shown.height() / 2 &&
                extents.bottom() < shown.bottom() + box->fontMetrics().height());
    }

    // The input box with `text`, set or pasted. Where `added` is given, it then goes in at `at`
    // (pasted if it starts with x, else typed), is undone and redone.
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
        pasted ? paste(inputBox(), text) : inputBox()->SetText(text);
        if (!added.isEmpty()) {
            inputBox()->setFocus();
            input()->setCursorPosition(at);
            added.startsWith(u'x') ? paste(inputBox(), added) : QTest::keyClicks(inputBox(), added);
            QCOMPARE(input()->cursorPosition(), at + added.size());
            keys("Ctrl+Z");
            // The keys typed since the cut go: the line is a block long again.
            QCOMPARE(inputBox()->Text(),
                     added.startsWith(u'x') ? text : text + added.left(kBound - text.size()));
            keys("Ctrl+Y");
            text.insert(at, added);
        }
        QCOMPARE(inputBox()->Text(), text);
        const QString whole = QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        const QList<int> cuts = cutsIn(*inputBox()->document(), whole);
        QVERIFY(!cuts.contains(-1));
        QTEST(!cuts.isEmpty(), "cut");
        QCOMPARE(copyAll(inputBox()), whole);
        QCOMPARE(input()->characterCount(), whole.size());
        QCOMPARE(input()->text(0, -1), whole.left(TextBoxAccessible::kMaxText));
        // Keys from the caret at `from` (-1: where it is) leave it at `caret`, and the text as
        // read less the character at `gone` (-1: none).
        const auto after = [&](int from, const char *sequence, int caret, int gone) {
            if (from >= 0)
                input()->setCursorPosition(from);
            keys(sequence);
            QCOMPARE(input()->cursorPosition(), caret);
            QCOMPARE(inputBox()->Text().replace("\r\n", "\n"),
                     gone < 0 ? whole : QString(whole).remove(gone, 1));
        };
        for (const int cut : {cuts.value(0, whole.size() / 2), cuts.value(cuts.size() - 1, 9)}) {
            QCOMPARE(input()->text(cut - 2, cut + 2), whole.mid(cut - 2, 4));
            after(cut, "Right", cut + 1, -1);
            after(-1, "Left, Left", cut - 1, -1);
            after(-1, "Right, Del", cut, cut);
            // Undo leaves the caret after what it puts back.
            after(-1, "Ctrl+Z", cut + 1, -1);
            after(cut, "Backspace", cut - 1, cut - 1);
            after(-1, "Ctrl+Z", cut, -1);
            after(-1, "Ctrl+Y", cut - 1, cut - 1);
            after(-1, "Ctrl+Z", cut, -1);
            // A word goes on across a cut: the line is one word, the next starts the next line.
            const qsizetype lineEnd = whole.indexOf(u'\n', cut);
            after(cut - 3, "Ctrl+Right", lineEnd < 0 ? whole.size() : lineEnd + 1, -1);
            after(-1, "Ctrl+Left", whole.lastIndexOf(u'\n', cut) + 1, -1);
            // A cut goes where the box wraps the line anyway: in a line of digits, the row
            // before it is as long as the others.
            if (cuts.contains(cut) && added.isEmpty()) {
                QTextLayout *rows =
                    inputBox()->document()->findBlock(cut + cuts.indexOf(cut) - 1).layout();
                QVERIFY(rows->lineCount() > 2);
                QCOMPARE(rows->lineAt(rows->lineCount() - 1).textLength(),
                         rows->lineAt(0).textLength());
            }
        }
        // All of it deleted and taken back: the cuts come back as cuts.
        keys("Ctrl+A, Del, Ctrl+Z");
        QCOMPARE(inputBox()->Text(), text);
        QCOMPARE(cutsIn(*inputBox()->document(), whole), cuts);
    }

    // The scroll bar of 1M answer lines: its middle shows the middle line,
    // and its range stays put while scrolling lays lines out.
    void scrollBarOverAMillionLines() {
        constexpr int kLines = 1'000'000;
        answerBox()->SetText(QStringLiteral("01000001\r\n").repeated(kLines));
        QScrollBar *bar = answerBox()->verticalScrollBar();
        const int maximum = bar->maximum();
        QVERIFY2(maximum > kLines - 100, qPrintable(QString::number(maximum)));
        for (const int line : {kLines / 2, kLines / 4, kLines - 100}) {
            bar->setValue(line);
            // Each line is 8 digits and a line end in the document.
            const int top = answerBox()->cursorForPosition(QPoint(1, 1)).position() / 9;
            QVERIFY2(std::abs(top - line) < 3, qPrintable(QString::number(top)));
        }
        QCOMPARE(bar->maximum(), maximum);
    }

    // After "DO!!!" on 600 characters (blocks of the document end after
    // lines 256 and 512). Steps, between "|": "all:TEXT" pasted over
    // everything, "paste:TEXT" at the caret; "line:N" a screen reader puts
    // the caret at the start of line N; "reader:FROM:TO:TEXT" a screen
    // reader's replaceText; "undo"; "key:KEYS" pressed; "set:TEXT" a new
    // text from the program; "=TEXT" the box's text then; any other text is
    // typed. A text typed before a check shows where the caret was.
    void typingInTheAnswerBox_data() {
        QTest::addColumn<QString>("steps");
        const QString all = digits(600);
        const QString upTo255 = digits(255);
        const QString line255 = digits(256, 255, "");
        QTest::newRow("typing, Enter gives CR LF") << "1\r0|=1\r\n0" + all;
        QTest::newRow("a new text from the program, one undo level, typing after a paste")
            << "abc|set:xyz|undo|=xyz|all:a\nb|all:c|undo|undo|=a\r\nb|all:x|yz|undo|=x";
        QTest::newRow("typed run undone whole, redone by Ctrl+Shift+Z and Ctrl+Y, caret after it")
            << "abc|undo|=" + all + "|key:Ctrl+Shift+Z|=abc" + all + "|undo|key:Ctrl+Y|x|=abcx" +
                   all;
        const QString blockEnd = upTo255 + line255 + "\r\nx" + digits(600, 256);
        QTest::newRow("Backspace, Delete at a block end, undone, caret after the line end")
            << "line:256|key:Backspace|undo|x|=" + blockEnd +
                   "|undo|line:255|key:End|key:Delete|undo|x|=" + blockEnd;
        QTest::newRow("paste over a selection across a block end, undone, redone")
            << "line:255|key:Shift+Down|key:Shift+Down|paste:a\nb|undo|=" + all +
                   "|key:Ctrl+Y|x|=" + upTo255 + "a\r\nbx" + digits(600, 257);
        QTest::newRow("a screen reader's replace across a block end, undone, caret after")
            << "reader:2300:2310:a\nb|undo|x|=" + QString(all).insert(upTo255.size() + 16, u'x');
        QTest::newRow("a screen reader's replace across a block end, undone, redone")
            << "reader:2300:2310:a\nb|undo|key:Ctrl+Y|x|=" + upTo255 + line255.left(5) + "a\r\nbx" +
                   digits(257, 256, "").mid(6) + "\r\n" + digits(600, 257);
        // Pieces of 1M: a CR LF across the first piece's end, and a line end
        // at the second's.
        const QString ones((1 << 20) - 1, u'1'), lastLine(9, u'0');
        const QString big = QString((1 << 20) - 1, u'0') + "\r\n" + ones + "\r\n" + lastLine;
        QTest::newRow("2M pasted, undone, redone, typed into, undone")
            << "all:" + QString(big).replace("1\r\n", "1\n") + "|undo|key:Ctrl+Y|=" + big +
                   "|key:Ctrl+Home|key:Right|x|undo|=" + big;
        // A line end across the first piece's end.
        const QString oneEnd = ones + "\r\n" + lastLine;
        QTest::newRow("Backspace at a piece end, undone, caret after the line end; paste over it")
            << "all:" + oneEnd + "|key:Ctrl+End|key:Home|key:Backspace|undo|x|=" + ones + "\r\nx" +
                   lastLine + "|all:" + oneEnd +
                   "|key:Ctrl+End|key:Home|key:Ctrl+Shift+Home|paste:a|undo|=" + oneEnd +
                   "|key:Ctrl+Y|x|=ax" + lastLine;
    }
    void typingInTheAnswerBox() {
        QFETCH(QString, steps);
        convert(600);
        auto *box = answerBox();
        for (const QString &step : steps.split(u'|')) {
            const QStringList part = step.split(u':');
            if (part[0] == u"all" || part[0] == u"paste") {
                QApplication::clipboard()->setText(part[1]);
                QTest::keySequence(box,
                                   QKeySequence(part[0] == u"all" ? "Ctrl+A, Ctrl+V" : "Ctrl+V"));
            } else if (part[0] == u"line") {
                reader(box)->setCursorPosition(part[1].toInt() * 9);
            } else if (part[0] == u"reader") {
                QAccessible::queryAccessibleInterface(box)->editableTextInterface()->replaceText(
                    part[1].toInt(), part[2].toInt(), part[3]);
            } else if (step.startsWith(u'=')) {
                QCOMPARE(box->Text(), step.mid(1));
            } else if (part[0] == u"set") {
                box->SetText(part[1]);
            } else if (part[0] == u"key" || step == u"undo") {
                QTest::keySequence(box,
                                   step == u"undo" ? QKeySequence::Undo : QKeySequence(part[1]));
            } else {
                QTest::keyClicks(box, step);
            }
        }
    }

    void caretStaysLitInAHugeLine() {
        numberBox()->SetText(QString(300000, u'1'));
        numberBox()->setFocus();
        QTRY_COMPARE(QGuiApplication::styleHints()->cursorFlashTime(), 0);
        answerBox()->setFocus();
        QTRY_VERIFY(QGuiApplication::styleHints()->cursorFlashTime() > 0);
    }

    // Events, each "KIND TIME" or "KIND TIME/BUSY": p a press of A, r a repeat of A (as Qt
    // flags it), capital when it reaches the key handler; TIME in milliseconds, BUSY how long the
    // handler then takes.
    void heldAndTypedKeys_data() {
        QTest::addColumn<QString>("events");
        QTest::newRow("typed at one time, flagged repeats") << "P1000 R1000 R1000 R1000 R1300";
        QTest::newRow("repeats while busy dropped") << "P1000/60 r1020 r1040 R1400";
        QTest::newRow("repeat after a busy repeat") << "P1000/60 r1030 R1400/60 r1430 R1800";
        QTest::newRow("press while busy") << "P1000/60 P1020";
    }
    void heldAndTypedKeys() {
        QFETCH(QString, events);
        TextBox box(nullptr);
        QStringList parts, handled, reaching;
        box.setKeyDownHandler([&](int, int) {
            QThread::msleep(parts.value(1).toULong());
            handled << parts[0];
        });
        for (const QString &event : events.split(u' ')) {
            parts = event.mid(1).split(u'/');
            if (event[0].isUpper())
                reaching << parts[0];
            QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a",
                          event[0].toLower() == u'r');
            key.setTimestamp(parts[0].toULongLong());
            QApplication::sendEvent(&box, &key);
        }
        QCOMPARE(handled, reaching);
    }

    void fill_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("blocks"); // 0: as many as keep each short
        QTest::addColumn<QString>("readBack");
        // Line ends about where the text goes in pieces ("|"), each read back as CR LF.
        for (const int piece : {1, 2}) {
            for (const QString end : {"\r|\n", "|\r\n", "\r|", "|\n", "\r\r|\n", "\n|\r"}) {
                const QString text = QString((piece << 20) - end.indexOf(u'|'), u'a') +
                                     QString(end).remove(u'|') + u'b';
                QString read = QString(text).replace("\r\n", "\n").replace(u'\r', u'\n');
                const QString name = QString(end).replace(u'\r', "CR").replace(u'\n', "LF");
                QTest::addRow("%dM %s", piece, qPrintable(name))
                    << text << 0 << read.replace("\n", "\r\n");
            }
        }
        // A block ends after 256 lines.
        for (const int lines : {255, 256, 512}) {
            const QString text =
                QStringLiteral("01\r\n").repeated(lines) + (lines > 256 ? "1" : "");
            QTest::addRow("%d lines", lines) << text << lines / 256 + 1 << text;
        }
    }
    void fill() {
        QFETCH(QString, text);
        QFETCH(QString, readBack);
        QTextDocument document;
        QTextCursor cursor(&document);
        // Exact when all line ends were CR LF.
        QCOMPARE(DocumentFiller().insert(cursor, text), readBack == text);
        QFETCH(int, blocks);
        if (blocks > 0)
            QCOMPARE(document.blockCount(), blocks);
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
            QVERIFY(block.length() <= BlockCutter::kBlockLength + 1);
        QCOMPARE(DocumentFiller::textOf(TextCuts::heldText(document)), readBack);
        // The same text as single-byte characters goes in the same way.
        const QByteArray latin1 = text.toLatin1();
        QTextDocument narrow;
        QTextCursor start(&narrow);
        DocumentFiller().insert(start, QLatin1StringView(latin1));
        QCOMPARE(TextCuts::heldText(narrow), TextCuts::heldText(document));
    }

    // Steps "AT REMOVED TEXT": the edit made and reported as it is; "AT
    // REMOVED =ADDED": reported alone. The edit is announced for
    // `announced` and reads `read` first (from, to).
    void replacement_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QPoint>("announced");
        QTest::addColumn<QPoint>("read");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("result"); // "AT BEFORE AFTER_LENGTH"
        QTest::newRow("a removal, then an insertion further on")
            << "abcdef" << QPoint(1, 2) << QPoint(0, 6) << QStringList{"1 1 ", "3 0 XY"}
            << "1 bcd 4";
        QTest::newRow("reported over everything: what did not change is left out")
            << "abcdef" << QPoint(2, 3) << QPoint(0, 6) << QStringList{"2 1 ", "0 5 =5"} << "2 c 0";
        QTest::newRow("a block cut again beyond what was read, the text between read then")
            << "abc\u2029def" << QPoint(1, 2) << QPoint(1, 2) << QStringList{"1 1 ", "5 0 \u2029"}
            << "1 bc\u2029de 5";
        QTest::newRow("a block end joined, read before")
            << "abc\u2029def" << QPoint(4, 4) << QPoint(0, 7) << QStringList{"3 1 "}
            << "3 \u2029 0";
        QTest::newRow("a removal beyond what was read")
            << "abcdef" << QPoint(2, 4) << QPoint(2, 4) << QStringList{"4 1 "} << "-1 unknown 0";
        QTest::newRow("a change of format alone")
            << "abc" << QPoint(1, 1) << QPoint(0, 3) << QStringList{"0 3 =3"} << "1  0";
        QTest::newRow("the same text put back")
            << "abc" << QPoint(0, 3) << QPoint(0, 3) << QStringList{"0 3 abc"} << "0  0";
    }
    void replacement() {
        QFETCH(QString, text);
        QFETCH(QPoint, announced);
        QFETCH(QPoint, read);
        QTextDocument document(text);
        PendingEdit edit(document, announced.x(), announced.y(), read.x(), read.y());
        QFETCH(QStringList, steps);
        for (const QString &step : steps) {
            const QStringList part = step.split(u' ');
            const int at = part[0].toInt(), removed = part[1].toInt();
            const bool alone = part[2].startsWith(u'=');
            QTextCursor cursor(&document);
            cursor.setPosition(at);
            cursor.setPosition(at + removed, QTextCursor::KeepAnchor);
            if (!alone)
                cursor.insertText(part[2]);
            edit.change(at, removed, alone ? part[2].mid(1).toInt() : int(part[2].size()));
        }
        const auto made = edit.unknown() ? PendingEdit::Replacement{-1, "unknown"} : edit.take();
        QTEST(QStringLiteral("%1 %2 %3").arg(made.position).arg(made.before).arg(made.afterLength),
              "result");
    }

    void failureInHandler_data() {
        QTest::addColumn<Handler>("handler");
        QTest::addColumn<QString>("report");
        QTest::addColumn<int>("status");
        QTest::newRow("overflow goes on") << Handler([] { throw RuntimeError::overflow(); })
                                          << "Run-time error '6':\n\nOverflow" << kGoesOn;
        QTest::newRow("memory running out in a called handler ends")
            << Handler([] { EventDispatch::run([] { throw std::bad_alloc(); }); })
            << "Run-time error '7':\n\nOut of memory" << 1;
        QTest::newRow("another failure ends")
            << Handler([] { throw std::length_error("too long"); })
            << "Run-time error '51':\n\nInternal error" << 1;
        QTest::newRow("no failure goes on") << Handler([] {}) << QString() << kGoesOn;
    }
    void failureInHandler() {
        QFETCH(Handler, handler);
        // The program's own loop: once told to end, a nested loop would not run.
        QTimer::singleShot(0, [&handler] {
            EventDispatch::run(handler);
            if (!EventDispatch::programEnded())
                QCoreApplication::exit(kGoesOn);
        });
        QTEST(QCoreApplication::exec(), "status");
        QTEST(std::exchange(m_reports, {}).join(u'|'), "report");
        // An ended program runs no further handler.
        bool ran = false;
        EventDispatch::run([&ran] { ran = true; });
        QCOMPARE(ran, !EventDispatch::programEnded());
    }
};

QTEST_MAIN(FormsTest)
#include "forms_test.moc"
