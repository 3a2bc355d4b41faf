// The answer box after "DO!!!" with answers of many lines, as a user meets
// it: what it reads back, what a copy gives, typing, its one undo level, and
// a caret that stays lit in a huge line rather than lay it out on each blink.
#include "window_fixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QStyleHints>

using namespace glyphmill;

class TextBoxTest : public test::WindowTest {
    Q_OBJECT

    static TextBox *box(const char *name) { return control(name); }

    // The answer to `count` characters, built apart from the program: lines
    // `first` on of it, each with `lineEnd`.
    static QString digits(int count, int first = 0, const char *lineEnd = "\r\n") {
        QString answer;
        for (int i = first; i < count; ++i)
            answer += QString::number(0x20 + i % 95, 2).rightJustified(8, u'0') + lineEnd;
        return answer;
    }

    static void press(Qt::Key key, int times = 1, Qt::KeyboardModifiers modifiers = {}) {
        for (int i = 0; i < times; ++i)
            QTest::keyClick(box("Text3"), key, modifiers);
    }

  private Q_SLOTS:

    // After "DO!!!" on 600 characters. Steps: "paste:TEXT" over everything;
    // "lines:FIRST:COUNT" selected with the keyboard and copied; "undo"; any
    // other text is typed.
    void answerBox_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("copied");
        const QString all = digits(600);
        QTest::newRow("lines 250 to 261 copied")
            << QStringList{"lines:250:12"} << all << digits(262, 250, "\n");
        QTest::newRow("every line copied")
            << QStringList{"lines:0:600"} << all << digits(600, 0, "\n");
        QTest::newRow("typing, Enter gives CR LF") << QStringList{"1\r0"} << "1\r\n0" + all << "";
        QTest::newRow("second paste undone")
            << QStringList{"paste:a\nb", "paste:c", "undo"} << "a\r\nb"
            << "c";
        QTest::newRow("one undo level only")
            << QStringList{"paste:a", "paste:c", "undo", "undo"} << "a"
            << "c";
    }
    void answerBox() {
        QFETCH(QStringList, steps);
        QString input;
        for (int i = 0; i < 600; ++i)
            input += QChar(0x20 + i % 95);
        box("Text1")->SetText(input);
        click(control<QWidget>("Command1"));
        QApplication::clipboard()->clear();
        for (const QString &step : steps) {
            const QStringList part = step.split(u':');
            if (part[0] == u"paste") {
                QApplication::clipboard()->setText(part[1]);
                QTest::keySequence(box("Text3"), QKeySequence(QStringLiteral("Ctrl+A, Ctrl+V")));
            } else if (part[0] == u"lines") {
                press(Qt::Key_Down, part[1].toInt());
                press(Qt::Key_Down, part[2].toInt(), Qt::ShiftModifier);
                QTest::keySequence(box("Text3"), QKeySequence::Copy);
            } else if (step == u"undo") {
                QTest::keySequence(box("Text3"), QKeySequence::Undo);
            } else {
                QTest::keyClicks(box("Text3"), step);
            }
        }
        QTEST(box("Text3")->Text(), "text");
        QTEST(QApplication::clipboard()->text(), "copied");
    }

    void caretStaysLitInAHugeLine() {
        box("Text1")->SetText(QString(300000, u'1'));
        box("Text1")->setFocus();
        QTRY_COMPARE(QGuiApplication::styleHints()->cursorFlashTime(), 0);
    }
};

QTEST_MAIN(TextBoxTest)
#include "text_box_test.moc"
