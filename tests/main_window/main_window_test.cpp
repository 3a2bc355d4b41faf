// The main window as its user drives it: what "DO!!!" writes where, the keys
// of the text boxes, and what the window shows.
#include "event_dispatch.h"
#include "window_fixture.h"

#include <QLabel>
#include <QMenu>

using namespace glyphmill;

namespace {

const QString kHi = QStringLiteral("01001000\r\n01101001\r\n");
const QString kA = QStringLiteral("01000001\r\n");
const QString kOld = QStringLiteral("old"); // both answer boxes before "DO!!!"

QString refused(const QString &number, const char *error) {
    return QStringLiteral(
               "Run-time error %1\n\nThe number \"%2\" was refused: \"Number To Binary\" "
               "takes numbers from 0 to 1073741824.")
        .arg(QLatin1String(error), number);
}

QString noCode(const char *character) {
    return QStringLiteral("Run-time error '5':\n\nCharacter %1 has no 8-bit code")
        .arg(QString::fromUtf8(character));
}

// "DO!!!" after the options were clicked, in this order, and the input and
// the number pasted into their boxes: what the answer box, the number's
// answer box and the error report then show.
struct Click {
    const char *options;
    QString input, number, answer, binary, report;
};

// A key pressed in a box, with "Number To Binary" selected, "Hi" in the input
// box and 5 in the number box.
struct Key {
    const char *box;
    Qt::Key key;
    int presses;
    bool converted, binaryToAscii;
};

} // namespace

Q_DECLARE_METATYPE(Click)
Q_DECLARE_METATYPE(Key)

class MainWindowTest : public test::WindowTest {
    Q_OBJECT

  private Q_SLOTS:
    void doButton_data() {
        QTest::addColumn<Click>("row");
        const QString lines = kA + QStringLiteral("00001101\r\n00001010\r\n01000010\r\n");
        const QString nines(40000, QChar(u'9'));
        QTest::newRow("Hi: two lines") << Click{"", "Hi", "", kHi, kOld, ""};
        QTest::newRow("line break pasted as LF: CR LF") << Click{"", "A\nB", "", lines, kOld, ""};
        QTest::newRow("codes 255 and 128")
            << Click{"", "ÿ€", "", "11111111\r\n10000000\r\n", kOld, ""};
        QTest::newRow("character without a code: reported, digits so far stay") << Click{
            "", "Hi Ω!", "", kHi + "00100000\r\n", kOld, noCode("'Ω' (U+03A9) at position 4")};
        QTest::newRow("character beyond 16 bits counts once")
            << Click{"", "A😀B", "", kA, kOld, noCode("'😀' (U+1F600) at position 2")};
        QTest::newRow("digits in lines: Hi")
            << Click{"Option2", "01001000\n01101001", "", "Hi", kOld, ""};
        QTest::newRow("eight zeros: no character")
            << Click{"Option2", "010000010000000001000010", "", "AB", kOld, ""};
        QTest::newRow("a lone 1: code 128") << Click{"Option2", "1", "", "€", kOld, ""};
        QTest::newRow("NUL pasted between digits: dropped")
            << Click{"Option2", "0100" + QString(QChar(u'\0')) + "0001", "", "A", kOld, ""};
        QTest::newRow("5: 101") << Click{"Option3", "A", "5", kA, "101", ""};
        QTest::newRow("4, then Binary To Ascii")
            << Click{"Option3 Option2", "01000001", "4", "A", "100", ""};
        QTest::newRow("no number: no digits") << Click{"Option3", "A", "1,5", kA, kOld, ""};
        QTest::newRow("negative: refused, no text conversion")
            << Click{"Option3", "A", "-5", kOld, "", refused("-5", "'13':\n\nType mismatch")};
        QTest::newRow("40,000 digits: refused, kept whole")
            << Click{"Option3", "A", nines, kOld, "", refused(nines, "'6':\n\nOverflow")};
    }

    void doButton() {
        QFETCH(Click, row);
        control("Text3")->SetText(kOld);
        control("Text2")->SetText(kOld);
        for (const QString &name : QString::fromLatin1(row.options).split(u' ', Qt::SkipEmptyParts))
            QTest::mouseClick(option(qPrintable(name)), Qt::LeftButton);
        paste(control("Text1"), row.input);
        paste(numberBox(), row.number);
        clickDo();
        QCOMPARE(control("Text3")->Text(), row.answer);
        QCOMPARE(control("Text2")->Text(), row.binary);
        QCOMPARE(numberBox()->Text(), row.number);
        QCOMPARE(std::exchange(m_reports, {}),
                 row.report.isEmpty() ? QStringList() : QStringList{row.report});
    }

    void keys_data() {
        QTest::addColumn<Key>("key");
        QTest::newRow("F4 in the input box: DO!!!") << Key{"Text1", Qt::Key_F4, 1, true, false};
        QTest::newRow("F4 in the answer box: DO!!!") << Key{"Text3", Qt::Key_F4, 1, true, false};
        QTest::newRow("F4 in the number box: nothing") << Key{"Text5", Qt::Key_F4, 1, false, false};
        QTest::newRow("F1 in the input box: Binary To Ascii")
            << Key{"Text1", Qt::Key_F1, 1, false, true};
        QTest::newRow("F1 in the answer box: Binary To Ascii")
            << Key{"Text3", Qt::Key_F1, 1, false, true};
        QTest::newRow("F1 twice: Ascii To Binary") << Key{"Text1", Qt::Key_F1, 2, false, false};
        QTest::newRow("F1 in the number box: nothing") << Key{"Text5", Qt::Key_F1, 1, false, false};
    }

    void keys() {
        QFETCH(Key, key);
        click(option("Option3"));
        paste(numberBox(), QStringLiteral("5"));
        paste(control("Text1"), QStringLiteral("Hi"));
        for (int i = 0; i < key.presses; ++i)
            QTest::keyClick(control<QWidget>(key.box), key.key);
        QCOMPARE(control("Text3")->Text(), key.converted ? kHi : QString());
        QCOMPARE(control("Text2")->Text(), key.converted ? QStringLiteral("101") : QString());
        QCOMPARE(option("Option2")->isChecked(), key.binaryToAscii);
        QCOMPARE(option("Option1")->isChecked(), !key.binaryToAscii);
        QVERIFY(option("Option3")->isChecked());
    }

    void numberToBinaryStaysSelected() {
        for (const char *name : {"Option3", "Option2", "Option1", "Option3"})
            click(option(name));
        QVERIFY(option("Option3")->isChecked() && option("Option1")->isChecked());
        QVERIFY(!option("Option2")->isChecked());
    }

    // Name, caption and place of every control, the size of those that do not
    // size themselves to their captions; the captions show in full.
    void controls() {
        const QStringList designed{"Frame2  16,312 129x49",
                                   "Option3 Number To Binary 8,16 105x25",
                                   "Text5  160,280 305x25",
                                   "Text2  160,328 305x33",
                                   "Option2 Binary To Ascii 24,272 113x25",
                                   "Option1 Ascii To Binary 24,248 113x17",
                                   "Frame1  16,232 129x73",
                                   "Text3  240,24 217x193",
                                   "Command1 DO!!! 376,232 81x33",
                                   "Text1  16,24 217x195",
                                   "Label4 Binary: 160,312",
                                   "Label1 Number: 160,264",
                                   "Label3 Answer: 248,8",
                                   "Label2 Your Text  ->  Binary or Ascii: 24,8"};
        QStringList shown;
        for (const QString &line : designed) {
            auto *widget = control<QWidget>(qPrintable(line.section(u' ', 0, 0)));
            const QString caption = widget->property("text").toString();
            QVERIFY(caption.isEmpty() || widget->sizeHint().width() <= widget->width());
            shown << QStringLiteral("%1 %2 %3,%4")
                         .arg(widget->objectName(), caption)
                         .arg(widget->x())
                         .arg(widget->y());
            if (!qobject_cast<QLabel *>(widget))
                shown.last() += QStringLiteral(" %1x%2").arg(widget->width()).arg(widget->height());
        }
        QCOMPARE(shown, designed);
    }

    void windowAtStart() {
        QCOMPARE(mainWindow()->windowTitle(), QStringLiteral("Glyphmill"));
        QCOMPARE(QApplication::focusWidget(), control("Text1"));
        QVERIFY(option("Option1")->isChecked() && !option("Option2")->isChecked());
        QVERIFY(!option("Option3")->isChecked() && !control("Text4")->isVisible());
        auto *files = control<QMenu>("mnufiles");
        QStringList items{files->title()};
        for (const QAction *item : files->actions())
            items << item->text();
        QCOMPARE(items, (QStringList{"Files", "About", "Did U Know", "", "Exit"}));
    }

    void exitEndsTheProgram() {
        menu("mnuexit");
        QVERIFY(EventDispatch::programEnded() && !mainWindow()->isVisible());
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
