// The answer box after "DO!!!" with answers of many lines, as a user meets
// it: what it reads back, what a copy gives, typing, its one undo level; and
// a caret in the number box that stays lit in a huge line rather than lay
// it out on each blink.
#include "tests/window_fixture/window_fixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QScrollBar>
#include <QStyleHints>

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

    // After "DO!!!" on 600 characters. Steps: "paste:TEXT" over everything;
    // "undo"; "key:KEYS" pressed; any other text is typed.
    void answerBox_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("text");
        const QString all = digits(600);
        QTest::newRow("typing, Enter gives CR LF") << QStringList{"1\r0"} << "1\r\n0" + all;
        QTest::newRow("second paste undone, one undo level only")
            << QStringList{"paste:a\nb", "paste:c", "undo", "undo"} << "a\r\nb";
        QTest::newRow("typed run undone whole") << QStringList{"abc", "undo"} << all;
        QTest::newRow("typed run redone, Ctrl+Y")
            << QStringList{"abc", "undo", "key:Ctrl+Y"} << "abc" + all;
        QTest::newRow("typed run redone, Ctrl+Shift+Z")
            << QStringList{"abc", "undo", "key:Ctrl+Shift+Z"} << "abc" + all;
        QTest::newRow("typing after a paste is an edit of its own")
            << QStringList{"paste:x", "yz", "undo"} << "x";
        QTest::newRow("all deleted, undone")
            << QStringList{"key:Ctrl+A", "key:Delete", "undo"} << all;
        // Pieces of 1M: a CR LF across the first piece's end, and a line end
        // at the second's.
        const QString big = QString((1 << 20) - 1, u'0') + "\r\n" + QString((1 << 20) - 1, u'1') +
                            "\n" + QString(9, u'0');
        QString bigShown = big;
        bigShown.replace(QStringLiteral("1\n"), QStringLiteral("1\r\n"));
        QTest::newRow("2M pasted, undone, redone")
            << QStringList{"paste:" + big, "undo", "key:Ctrl+Y"} << bigShown;
        QTest::newRow("typed into 2M pasted, undone")
            << QStringList{"paste:" + big, "key:Ctrl+Home", "key:Right", "x", "undo"} << bigShown;
    }
    void answerBox() {
        QFETCH(QStringList, steps);
        convert(600);
        auto *box = control("Text3");
        for (const QString &step : steps) {
            const QStringList part = step.split(u':');
            if (part[0] == u"paste") {
                QApplication::clipboard()->setText(part[1]);
                QTest::keySequence(box, QKeySequence(QStringLiteral("Ctrl+A, Ctrl+V")));
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
};

QTEST_MAIN(TextBoxTest)
#include "text_box_test.moc"
