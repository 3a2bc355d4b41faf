// The answer box after "DO!!!" with answers of many lines, as a user meets
// it: what it reads back, what a copy gives, typing, its one undo level; a
// caret in the number box that stays lit in a huge line rather than lay it
// out on each blink; and keys reaching a box's key handler with real event
// times: a program typing keys loses none, and of a held key only the
// repeats queued while the handler was busy are dropped.
#include "tests/window_fixture/window_fixture.h"

#include <QAccessible>
#include <QClipboard>
#include <QGuiApplication>
#include <QScrollBar>
#include <QStyleHints>
#include <QThread>

using namespace glyphmill;

class TextBoxTest : public test::WindowTest {
    Q_OBJECT

  private Q_SLOTS:
    // The scroll bar of 1M answer lines: its middle shows the middle line,
    // and its range stays put while scrolling lays lines out.
    void scrollBarOverAMillionLines() {
        constexpr int kLines = 1'000'000;
        control("Text3")->SetText(QStringLiteral("01000001\r\n").repeated(kLines));
        QScrollBar *bar = control("Text3")->verticalScrollBar();
        const int maximum = bar->maximum();
        QVERIFY2(maximum > kLines - 100, qPrintable(QString::number(maximum)));
        for (const int line : {kLines / 2, kLines / 4, kLines - 100}) {
            bar->setValue(line);
            // Each line is 8 digits and a line end in the document.
            const int top = control("Text3")->cursorForPosition(QPoint(1, 1)).position() / 9;
            QVERIFY2(std::abs(top - line) < 3, qPrintable(QString::number(top)));
        }
        QCOMPARE(bar->maximum(), maximum);
    }

    // After "DO!!!" on 600 characters (blocks of the document end after
    // lines 256 and 512). Steps, between "|": "all:TEXT" pasted over
    // everything, "paste:TEXT" at the caret; "line:N" puts the caret at the
    // start of line N; "reader:FROM:TO:TEXT" a screen reader's replaceText;
    // "undo"; "key:KEYS" pressed; "set:TEXT" a new text from the program;
    // "=TEXT" the box's text then; any other text is typed. A text typed
    // last shows where the caret was.
    void answerBox_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("text");
        const QString all = digits(600);
        const QString upTo255 = digits(255);
        const QString line255 = digits(256, 255, "");
        QTest::newRow("typing, Enter gives CR LF") << "1\r0"
                                                   << "1\r\n0" + all;
        QTest::newRow("a new text from the program, one undo level, typing after a paste")
            << "abc|set:xyz|undo|=xyz|all:a\nb|all:c|undo|undo|=a\r\nb|all:x|yz|undo"
            << "x";
        QTest::newRow("typed run undone whole, redone by Ctrl+Shift+Z and Ctrl+Y, caret after it")
            << "abc|undo|=" + all + "|key:Ctrl+Shift+Z|=abc" + all + "|undo|key:Ctrl+Y|x"
            << "abcx" + all;
        const QString blockEnd = upTo255 + line255 + "\r\nx" + digits(600, 256);
        QTest::newRow("Backspace, Delete at a block end, undone, caret after the line end")
            << "line:256|key:Backspace|undo|x|=" + blockEnd +
                   "|undo|line:255|key:End|key:Delete|undo|x"
            << blockEnd;
        QTest::newRow("paste over a selection across a block end, undone, redone")
            << "line:255|key:Shift+Down|key:Shift+Down|paste:a\nb|undo|=" + all + "|key:Ctrl+Y|x"
            << upTo255 + "a\r\nbx" + digits(600, 257);
        QTest::newRow("a screen reader's replace across a block end, undone, caret after")
            << "reader:2300:2310:a\nb|undo|x" << QString(all).insert(upTo255.size() + 16, u'x');
        QTest::newRow("a screen reader's replace across a block end, undone, redone")
            << "reader:2300:2310:a\nb|undo|key:Ctrl+Y|x"
            << upTo255 + line255.left(5) + "a\r\nbx" + digits(257, 256, "").mid(6) + "\r\n" +
                   digits(600, 257);
        // Pieces of 1M: a CR LF across the first piece's end, and a line end
        // at the second's.
        const QString ones((1 << 20) - 1, u'1'), lastLine(9, u'0');
        const QString big = QString((1 << 20) - 1, u'0') + "\r\n" + ones + "\r\n" + lastLine;
        QTest::newRow("2M pasted, undone, redone, typed into, undone")
            << "all:" + QString(big).replace("1\r\n", "1\n") + "|undo|key:Ctrl+Y|=" + big +
                   "|key:Ctrl+Home|key:Right|x|undo"
            << big;
        // A line end across the first piece's end.
        const QString oneEnd = ones + "\r\n" + lastLine;
        QTest::newRow("Backspace at a piece end, undone, caret after the line end; paste over it")
            << "all:" + oneEnd + "|key:Ctrl+End|key:Home|key:Backspace|undo|x|=" + ones + "\r\nx" +
                   lastLine + "|all:" + oneEnd +
                   "|key:Ctrl+End|key:Home|key:Ctrl+Shift+Home|paste:a|undo|=" + oneEnd +
                   "|key:Ctrl+Y|x"
            << "ax" + lastLine;
    }
    void answerBox() {
        QFETCH(QString, steps);
        convert(600);
        auto *box = control("Text3");
        for (const QString &step : steps.split(u'|')) {
            const QStringList part = step.split(u':');
            if (part[0] == u"all" || part[0] == u"paste") {
                QApplication::clipboard()->setText(part[1]);
                QTest::keySequence(box,
                                   QKeySequence(part[0] == u"all" ? "Ctrl+A, Ctrl+V" : "Ctrl+V"));
            } else if (part[0] == u"line") {
                QTest::keyClick(box, Qt::Key_Home, Qt::ControlModifier);
                for (int line = part[1].toInt(); line > 0; --line)
                    QTest::keyClick(box, Qt::Key_Down);
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
        QTEST(box->Text(), "text");
    }

    void caretStaysLitInAHugeLine() {
        numberBox()->SetText(QString(300000, u'1'));
        numberBox()->setFocus();
        QTRY_COMPARE(QGuiApplication::styleHints()->cursorFlashTime(), 0);
        control("Text3")->setFocus();
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
};

QTEST_MAIN(TextBoxTest)
#include "text_box_test.moc"
