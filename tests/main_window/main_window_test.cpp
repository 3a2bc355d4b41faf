// The main window as its user drives it: what "DO!!!" writes where, the keys
// of the text boxes, and what the window shows.
#include "tests/window_fixture/window_fixture.h"

#include <QLabel>
#include <QMenu>
#include <QScrollBar>

using namespace glyphmill;

namespace {

const QString kHi = QStringLiteral("01001000\r\n01101001\r\n");
const QString kA = QStringLiteral("01000001\r\n");
const QString kOld = QStringLiteral("old"); // in both answer boxes before "DO!!!"

// The input and the number pasted into their boxes, then the steps: a button
// is clicked, a text box takes the focus and the keys that follow it. What
// the answer box, the number's answer box and the error report then show.
struct Click {
    const char *steps;
    QString input, number, answer, binary, report;
};

} // namespace

Q_DECLARE_METATYPE(Click)

class MainWindowTest : public test::WindowTest {
    Q_OBJECT

  private Q_SLOTS:
    void doButton_data() {
        QTest::addColumn<Click>("row");
        const QString nines(40000, QChar(u'9'));
        const QString refused = "Run-time error '6':\n\nOverflow\n\nThe number \"" +
                                nines.left(20) +
                                "…\" (40000 digits) was refused: \"Number To "
                                "Binary\" takes numbers from 0 to 1073741824.";
        const QString noCode =
            "Run-time error '5':\n\nCharacter 'Ω' (U+03A9) at position 4 has no 8-bit code";
        QTest::newRow("at start, Ascii To Binary alone: Hi, two lines")
            << Click{"Command1", "Hi", "5", kHi, kOld, ""};
        QTest::newRow("10,000 characters: all, shown from the top")
            << Click{"Command1", QString(10000, u'A'), "", kA.repeated(10000), kOld, ""};
        QTest::newRow("line break pasted as LF: CR LF")
            << Click{"Command1", "A\nB", "", kA + "00001101\r\n00001010\r\n01000010\r\n", kOld, ""};
        QTest::newRow("codes 255 and 128, then a character without a code")
            << Click{"Command1", "ÿ€ Ω!", "", "11111111\r\n10000000\r\n00100000\r\n", kOld, noCode};
        QTest::newRow("digits in lines: Hi")
            << Click{"Option2 Command1", "01001000\n01101001", "", "Hi", kOld, ""};
        QTest::newRow("eight zeros: no character; a lone 1: code 128")
            << Click{"Option2 Command1", "01000001000000001", "", "A€", kOld, ""};
        QTest::newRow("NUL pasted between digits: dropped") << Click{
            "Option2 Command1", "0100" + QString(QChar(u'\0')) + "0001", "", "A", kOld, ""};
        QTest::newRow("Number To Binary stays selected, then Binary To Ascii")
            << Click{"Option3 Option3 Option1 Option2 Command1", "01000001", "4", "A", "100", ""};
        QTest::newRow("no number: no digits")
            << Click{"Option3 Command1", "A", "1,5", kA, kOld, ""};
        QTest::newRow("40,000 digits: refused, kept whole, no text conversion")
            << Click{"Option3 Command1", "A", nines, kOld, "", refused};
        QTest::newRow("F4 in the input box: DO!!!")
            << Click{"Option3 Text1 F4", "Hi", "5", kHi, "101", ""};
        QTest::newRow("F4 in the answer box: DO!!!")
            << Click{"Option3 Text3 F4", "Hi", "5", kHi, "101", ""};
        QTest::newRow("F4 in the number box: nothing")
            << Click{"Option3 Text5 F4", "Hi", "5", kOld, kOld, ""};
        QTest::newRow("F1 in the input box: Binary To Ascii")
            << Click{"Option3 Text1 F1 F4", "01000001", "5", "A", "101", ""};
        QTest::newRow("F1 twice in the input box: back to Ascii To Binary")
            << Click{"Text1 F1 F1 F4", "Hi", "", kHi, kOld, ""};
        QTest::newRow("F1 twice in the answer box: back to Ascii To Binary")
            << Click{"Text3 F1 F1 F4", "Hi", "", kHi, kOld, ""};
        QTest::newRow("F1 twice in the answer box from Binary To Ascii: back")
            << Click{"Option2 Text3 F1 F1 F4", "01000001", "", "A", kOld, ""};
    }

    void doButton() {
        QFETCH(Click, row);
        // A text box keeps nothing from a character of code 0 on.
        control("Text3")->SetText(kOld + QChar(u'\0') + "x");
        control("Text2")->SetText(kOld + QChar(u'\0') + "x");
        paste(control("Text1"), row.input);
        paste(numberBox(), row.number);
        QWidget *box = nullptr;
        for (const QString &step : QString::fromLatin1(row.steps).split(u' ')) {
            if (step.startsWith(u'F'))
                QTest::keyClick(box, QKeySequence(step)[0].key());
            else if (step.startsWith(u'T'))
                (box = control<QWidget>(qPrintable(step)))->setFocus();
            else
                click(control<QWidget>(qPrintable(step)));
        }
        QCOMPARE(control("Text3")->Text(), row.answer);
        QCOMPARE(control("Text3")->toPlainText(), QString(row.answer).replace("\r\n", "\n"));
        QCOMPARE(control("Text3")->verticalScrollBar()->value(), 0);
        QCOMPARE(control("Text2")->Text(), row.binary);
        QCOMPARE(numberBox()->Text(), row.number);
        QCOMPARE(std::exchange(m_reports, {}),
                 row.report.isEmpty() ? QStringList() : QStringList{row.report});
    }

    // The captions show in full.
    void windowAtStart() {
        QStringList shown{mainWindow()->windowTitle()};
        for (const char *name : {"Label2", "Label3", "Text1", "Text3", "Command1", "Option1",
                                 "Option2", "Label1", "Text5", "Label4", "Text2", "Option3"}) {
            auto *widget = control<QWidget>(name);
            shown << widget->property("text").toString();
            QVERIFY(widget->isVisible());
            QVERIFY(shown.last().isEmpty() || widget->sizeHint().width() <= widget->width());
        }
        auto *files = control<QMenu>("mnufiles");
        shown << files->title();
        for (const QAction *item : files->actions())
            shown << item->text();
        QCOMPARE(shown, (QStringList{"Glyphmill", "Your Text  ->  Binary or Ascii:", "Answer:", "",
                                     "", "DO!!!", "Ascii To Binary", "Binary To Ascii",
                                     "Number:", "", "Binary:", "", "Number To Binary", "Files",
                                     "About", "Did U Know", "", "Exit"}));
        QCOMPARE(QApplication::focusWidget(), control("Text1"));
        QVERIFY(!control("Text4")->isVisible());
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
