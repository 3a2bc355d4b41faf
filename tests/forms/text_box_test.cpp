// The answer box after "DO!!!" with answers of many lines, as a user meets
// it: what it reads back, what a copy gives, typing, its one undo level, and
// a steady caret in a huge line.
#include "default_instances.h"
#include "form1.h"
#include "text_box.h"

#include <QApplication>
#include <QClipboard>
#include <QPushButton>
#include <QStyleHints>
#include <QTest>

using namespace glyphmill;

class TextBoxTest : public QObject {
    Q_OBJECT

    static TextBox *box(const char *name) {
        return defaultInstance<Form1>().window().findChild<TextBox *>(QLatin1String(name));
    }

    // The answer for `count` characters of text, built apart from the program.
    static QString answerFor(int count, const QString &lineEnd = QStringLiteral("\r\n")) {
        QString answer;
        for (int i = 0; i < count; ++i)
            answer += QString::number(0x20 + i % 95, 2).rightJustified(8, u'0') + lineEnd;
        return answer;
    }

    static void convert(int count) {
        QString input;
        for (int i = 0; i < count; ++i)
            input += QChar(0x20 + i % 95);
        box("Text1")->SetText(input);
        defaultInstance<Form1>()
            .window()
            .findChild<QPushButton *>(QStringLiteral("Command1"))
            ->click();
    }

    static void keys(TextBox *target, Qt::Key key, int times,
                     Qt::KeyboardModifiers modifiers = {}) {
        for (int i = 0; i < times; ++i)
            QTest::keyClick(target, key, modifiers);
    }

  private Q_SLOTS:
    void cleanupTestCase() { DefaultInstances::clear(); }
    void initTestCase() {
        defaultInstance<Form1>().Show();
        defaultInstance<Form1>().window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&defaultInstance<Form1>().window()));
    }

    void copyGivesTheSelectedLines_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("lines");
        QTest::newRow("one line") << 1 << 0 << 1;
        QTest::newRow("lines inside the first hundred") << 300 << 3 << 4;
        QTest::newRow("lines either side of line 256") << 600 << 250 << 12;
        QTest::newRow("the whole of a large answer") << 20000 << 0 << 20000;
    }
    void copyGivesTheSelectedLines() {
        QFETCH(int, count);
        QFETCH(int, first);
        QFETCH(int, lines);
        convert(count);
        TextBox *answer = box("Text3");
        QCOMPARE(answer->Text(), answerFor(count));
        answer->setFocus();
        QTest::keyClick(answer, Qt::Key_Home, Qt::ControlModifier);
        keys(answer, Qt::Key_Down, first);
        if (first + lines == count)
            QTest::keyClick(answer, Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);
        else
            keys(answer, Qt::Key_Down, lines, Qt::ShiftModifier);
        QTest::keyClick(answer, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(),
                 answerFor(count, QStringLiteral("\n")).mid(first * 9, lines * 9));
    }

    // Each step: "type:TEXT", "paste:TEXT" (over everything), "undo", "redo".
    void editsAndTheirUndo_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("expected");
        const QString answer = answerFor(300);
        QTest::newRow("typing at the end") << QStringList{"type:10"} << answer + "10";
        QTest::newRow("typing undone") << QStringList{"type:10", "undo"} << answer;
        QTest::newRow("Enter gives CR LF")
            << QStringList{"type:1", "type:\r", "type:0"} << answer + "1\r\n0";
        QTest::newRow("second paste undone")
            << QStringList{"paste:a\nb", "paste:c", "undo"} << "a\r\nb";
        QTest::newRow("one level only") << QStringList{"paste:a", "paste:c", "undo", "undo"} << "a";
        QTest::newRow("undo redone")
            << QStringList{"paste:a", "paste:c\rd", "undo", "redo"} << "c\r\nd";
    }
    void editsAndTheirUndo() {
        QFETCH(QStringList, steps);
        QFETCH(QString, expected);
        convert(300);
        TextBox *answer = box("Text3");
        answer->setFocus();
        QTest::keyClick(answer, Qt::Key_End, Qt::ControlModifier);
        for (const QString &step : steps) {
            const QString text = step.section(u':', 1);
            if (step.startsWith(u"type:"))
                QTest::keyClicks(answer, text);
            if (step.startsWith(u"paste:")) {
                QApplication::clipboard()->setText(text);
                QTest::keyClick(answer, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClick(answer, Qt::Key_V, Qt::ControlModifier);
            }
            if (step == u"undo" || step == u"redo")
                QTest::keyClick(answer, step == u"undo" ? Qt::Key_Z : Qt::Key_Y,
                                Qt::ControlModifier);
        }
        QCOMPARE(answer->Text(), expected);
    }

    void caretStaysLitInAHugeLineOnly() {
        const int blinking = QGuiApplication::styleHints()->cursorFlashTime();
        TextBox *input = box("Text1");
        input->SetText(QString(300000, u'1'));
        input->setFocus();
        QTest::keyClick(input, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::styleHints()->cursorFlashTime(), 0);
        box("Text3")->setFocus();
        QCOMPARE(QGuiApplication::styleHints()->cursorFlashTime(), blinking);
    }
};

QTEST_MAIN(TextBoxTest)
#include "text_box_test.moc"
