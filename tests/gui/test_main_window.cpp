#include "command_button.h"
#include "form1.h"
#include "gui_test.h"
#include "label.h"
#include "option_button.h"
#include "single_line_text_box.h"
#include "text_box.h"

#include <QAction>
#include <QClipboard>
#include <QFrame>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>

using namespace glyphmill;
using glyphmill::test::child;

class MainWindowTest : public QObject {
    Q_OBJECT

  private:
    Form1 &form() { return defaultInstance<Form1>(); }
    FormWindow *window() { return &form().window(); }
    TextBox *text(const char *name) { return child<TextBox>(window(), name); }
    SingleLineTextBox *numberBox() { return child<SingleLineTextBox>(window(), "Text5"); }
    OptionButton *option(const char *name) { return child<OptionButton>(window(), name); }
    CommandButton *doButton() { return child<CommandButton>(window(), "Command1"); }
    QAction *menuItem(const char *name) { return child<QAction>(window(), name); }
    void clickDo() { QTest::mouseClick(doButton(), Qt::LeftButton); }
    void selectNumberToBinary() { QTest::mouseClick(option("Option3"), Qt::LeftButton); }

    std::unique_ptr<test::ReportCollector> m_reports;

  private Q_SLOTS:
    void init() {
        test::resetProgram();
        m_reports = std::make_unique<test::ReportCollector>();
        form().Show();
        QVERIFY(QTest::qWaitForWindowActive(window()));
    }

    void cleanup() {
        m_reports.reset();
        test::resetProgram();
    }

    void layout_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("caption");
        QTest::newRow("Frame2") << "Frame2" << QRect(16, 312, 129, 49) << "";
        QTest::newRow("Option3") << "Option3" << QRect(8, 16, 105, 25) << "Number To Binary";
        QTest::newRow("Text5") << "Text5" << QRect(160, 280, 305, 25) << "";
        QTest::newRow("Text2") << "Text2" << QRect(160, 328, 305, 33) << "";
        QTest::newRow("Option2") << "Option2" << QRect(24, 272, 113, 25) << "Binary To Ascii";
        QTest::newRow("Option1") << "Option1" << QRect(24, 248, 113, 17) << "Ascii To Binary";
        QTest::newRow("Frame1") << "Frame1" << QRect(16, 232, 129, 73) << "";
        QTest::newRow("Text4") << "Text4" << QRect(432, 0, 33, 19) << "";
        QTest::newRow("Text3") << "Text3" << QRect(240, 24, 217, 193) << "";
        QTest::newRow("Command1") << "Command1" << QRect(376, 232, 81, 33) << "DO!!!";
        QTest::newRow("Text1") << "Text1" << QRect(16, 24, 217, 195) << "";
    }

    void layout() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, caption);
        auto *control = window()->findChild<QWidget *>(name);
        QVERIFY(control);
        QCOMPARE(control->geometry(), geometry);
        if (auto *button = qobject_cast<QAbstractButton *>(control))
            QCOMPARE(button->text(), caption);
    }

    void labelsShowTheirCaptionsInFull_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QPoint>("position");
        QTest::newRow("Label2") << "Label2"
                                << "Your Text  ->  Binary or Ascii:" << QPoint(24, 8);
        QTest::newRow("Label3") << "Label3"
                                << "Answer:" << QPoint(248, 8);
        QTest::newRow("Label1") << "Label1"
                                << "Number:" << QPoint(160, 264);
        QTest::newRow("Label4") << "Label4"
                                << "Binary:" << QPoint(160, 312);
    }

    void labelsShowTheirCaptionsInFull() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QPoint, position);
        auto *label = window()->findChild<Label *>(name);
        QVERIFY(label);
        QCOMPARE(label->Caption(), caption);
        QCOMPARE(label->pos(), position);
        QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(caption));
    }

    void optionCaptionsFitTheirButtons() {
        for (const char *name : {"Option1", "Option2", "Option3"}) {
            OptionButton *button = option(name);
            QVERIFY2(button->sizeHint().width() <= button->width(),
                     qPrintable(QStringLiteral("%1: %2 > %3")
                                    .arg(QString::fromLatin1(name))
                                    .arg(button->sizeHint().width())
                                    .arg(button->width())));
        }
    }

    void windowStartsAsDesigned() {
        QCOMPARE(window()->windowTitle(), QStringLiteral("Glyphmill"));
        QCOMPARE(window()->centralWidget()->size(), QSize(475, 372));
        QVERIFY(!(window()->windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(!(window()->windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(window()->minimumSize(), window()->maximumSize());
        QVERIFY(!window()->windowIcon().isNull());
        QCOMPARE(QApplication::focusWidget(), text("Text1"));
        QVERIFY(option("Option1")->isChecked());
        QVERIFY(!option("Option2")->isChecked());
        QVERIFY(!option("Option3")->isChecked());
        QVERIFY(!text("Text4")->isVisible());
        QCOMPARE(option("Option3")->parentWidget(), window()->findChild<QWidget *>("Frame2"));
        for (const char *name : {"Text1", "Text2", "Text3"})
            QVERIFY(!text(name)->isReadOnly());
    }

    void filesMenu() {
        auto *menu = window()->findChild<QMenu *>("mnufiles");
        QVERIFY(menu);
        QCOMPARE(menu->title(), QStringLiteral("Files"));
        const QList<QAction *> items = menu->actions();
        QCOMPARE(items.size(), 4);
        const QStringList names{"mnuabout", "mnuhelp", "mnustreck", "mnuexit"};
        const QStringList captions{"About", "Did U Know", "", "Exit"};
        for (int i = 0; i < items.size(); ++i) {
            QCOMPARE(items[i]->objectName(), names[i]);
            QCOMPARE(items[i]->text(), captions[i]);
            QVERIFY(items[i]->shortcut().isEmpty());
            QVERIFY(!items[i]->isCheckable());
        }
        QVERIFY(items[2]->isSeparator());
    }

    void tabMovesThroughTheControlsInOrder() {
        // Only the selected button of an option group takes the focus.
        const QStringList order{"Text1", "Command1", "Text3",  "Option1",
                                "Text2", "Text5",    "Option3"};
        selectNumberToBinary();
        for (int i = 0; i < order.size(); ++i) {
            const QString from = order[i];
            const QString next = order[(i + 1) % order.size()];
            const QString previous = order[(i + order.size() - 1) % order.size()];
            window()->findChild<QWidget *>(from)->setFocus(Qt::OtherFocusReason);
            QTest::keyClick(window()->windowHandle(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), next);
            window()->findChild<QWidget *>(from)->setFocus(Qt::OtherFocusReason);
            QTest::keyClick(window()->windowHandle(), Qt::Key_Backtab, Qt::ShiftModifier);
            QCOMPARE(QApplication::focusWidget()->objectName(), previous);
        }
        QCOMPARE(text("Text1")->Text(), QString());
        QCOMPARE(text("Text3")->Text(), QString());
        QCOMPARE(numberBox()->Text(), QString());
    }

    void typingHiAndPressingDo() {
        QTest::keyClicks(text("Text1"), QStringLiteral("Hi"));
        clickDo();
        QCOMPARE(text("Text3")->Text(), QStringLiteral("01001000\r\n01101001\r\n"));
        QCOMPARE(text("Text1")->Text(), QStringLiteral("Hi"));
    }

    void enterInsertsACrLfLineBreak() {
        QTest::keyClicks(text("Text1"), QStringLiteral("A"));
        QTest::keyClick(text("Text1"), Qt::Key_Return);
        QTest::keyClicks(text("Text1"), QStringLiteral("B"));
        QCOMPARE(text("Text1")->Text(), QStringLiteral("A\r\nB"));
        clickDo();
        QCOMPARE(text("Text3")->Text(),
                 QStringLiteral("01000001\r\n00001101\r\n00001010\r\n01000010\r\n"));
    }

    void f4PressesDo_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("answer");
        QTest::newRow("input box") << "Text1"
                                   << "01001000\r\n01101001\r\n";
        QTest::newRow("answer box") << "Text3"
                                    << "01001000\r\n01101001\r\n";
    }

    void f4PressesDo() {
        QFETCH(QString, box);
        QFETCH(QString, answer);
        text("Text1")->SetText(QStringLiteral("Hi"));
        QTest::keyClick(text(box.toLatin1().constData()), Qt::Key_F4);
        QCOMPARE(text("Text3")->Text(), answer);
    }

    void f4InTheNumberBoxDoesNothing() {
        selectNumberToBinary();
        text("Text1")->SetText(QStringLiteral("Hi"));
        numberBox()->SetText(QStringLiteral("5"));
        QTest::keyClick(numberBox(), Qt::Key_F4);
        QCOMPARE(text("Text3")->Text(), QString());
        QCOMPARE(text("Text2")->Text(), QString());
    }

    void f1TogglesTheTextConversions() {
        selectNumberToBinary();
        QTest::keyClick(text("Text1"), Qt::Key_F1);
        QVERIFY(option("Option2")->isChecked());
        QVERIFY(!option("Option1")->isChecked());
        QVERIFY(option("Option3")->isChecked());
        QTest::keyClick(text("Text3"), Qt::Key_F1);
        QVERIFY(option("Option1")->isChecked());
        QVERIFY(!option("Option2")->isChecked());
        QVERIFY(option("Option3")->isChecked());
        QTest::keyClick(text("Text1"), Qt::Key_F1, Qt::ShiftModifier);
        QVERIFY(option("Option2")->isChecked());
    }

    void binaryToAscii_data() {
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("work");
        QTest::newRow("run of digits") << "0100100001101001"
                                       << "Hi"
                                       << "0100100001101001";
        QTest::newRow("answer of Ascii To Binary") << "01001000\r\n01101001\r\n"
                                                   << "Hi"
                                                   << "0100100001101001";
        QTest::newRow("space between groups") << "01000001 01000010"
                                              << "A!"
                                              << "01000001 01000010";
        QTest::newRow("a single 1") << "1" << QStringLiteral("€") << "1";
        QTest::newRow("empty") << ""
                               << ""
                               << "";
    }

    void binaryToAscii() {
        QFETCH(QString, input);
        QFETCH(QString, answer);
        QFETCH(QString, work);
        text("Text3")->SetText(QStringLiteral("old answer"));
        text("Text4")->SetText(QStringLiteral("old work"));
        QTest::mouseClick(option("Option2"), Qt::LeftButton);
        text("Text1")->SetText(input);
        clickDo();
        QCOMPARE(text("Text3")->Text(), answer);
        QCOMPARE(text("Text4")->Text(), work);
    }

    void pastedLineEndsBecomeCrLf_data() {
        QTest::addColumn<QString>("pasted");
        QTest::newRow("LF") << "01001000\n01101001\n";
        QTest::newRow("CR LF") << "01001000\r\n01101001\r\n";
        QTest::newRow("CR") << "01001000\r01101001\r";
    }

    void pastedLineEndsBecomeCrLf() {
        QFETCH(QString, pasted);
        QApplication::clipboard()->setText(pasted);
        TextBox *input = text("Text1");
        input->paste();
        QCOMPARE(input->Text(), QStringLiteral("01001000\r\n01101001\r\n"));
        QTest::keyClick(input, Qt::Key_F1);
        QTest::keyClick(input, Qt::Key_F4);
        QCOMPARE(text("Text3")->Text(), QStringLiteral("Hi"));
    }

    void aTextWithNulKeepsThePartBeforeIt() {
        text("Text1")->SetText(QStringLiteral("ab") + QChar(u'\0') + QStringLiteral("cd"));
        QCOMPARE(text("Text1")->Text(), QStringLiteral("ab"));
        numberBox()->SetText(QStringLiteral("5") + QChar(u'\0') + QStringLiteral("1"));
        QCOMPARE(numberBox()->Text(), QStringLiteral("5"));
    }

    void numberToBinary_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("digits");
        QTest::newRow("5") << "5"
                           << "101";
        QTest::newRow("0") << "0"
                           << "0";
        QTest::newRow("5.9") << "5.9"
                             << "101";
        QTest::newRow("2^30") << "1073741824"
                              << QStringLiteral("1") + QString(30, QLatin1Char('0'));
        QTest::newRow("spaces and exponent") << " 1e3 "
                                             << "1111101000";
    }

    void numberToBinary() {
        QFETCH(QString, typed);
        QFETCH(QString, digits);
        selectNumberToBinary();
        QTest::keyClicks(numberBox(), typed);
        text("Text1")->SetText(QStringLiteral("A"));
        clickDo();
        QCOMPARE(text("Text2")->Text(), digits);
        QCOMPARE(numberBox()->Text(), typed);
        QCOMPARE(text("Text3")->Text(), QStringLiteral("01000001\r\n"));
        clickDo();
        QCOMPARE(text("Text2")->Text(), digits);
        QVERIFY(m_reports->reports().isEmpty());
    }

    void numberToBinaryStaysSelected() {
        selectNumberToBinary();
        QTest::mouseClick(option("Option2"), Qt::LeftButton);
        QTest::mouseClick(option("Option1"), Qt::LeftButton);
        QTest::mouseClick(option("Option3"), Qt::LeftButton);
        QVERIFY(option("Option3")->isChecked());
        numberBox()->SetText(QStringLiteral("4"));
        text("Text1")->SetText(QStringLiteral("A"));
        QTest::keyClick(text("Text1"), Qt::Key_F4);
        QCOMPARE(text("Text2")->Text(), QStringLiteral("100"));
        QCOMPARE(text("Text3")->Text(), QStringLiteral("01000001\r\n"));
    }

    void numberConversionWaitsForOption3() {
        numberBox()->SetText(QStringLiteral("5"));
        clickDo();
        QCOMPARE(text("Text2")->Text(), QString());
    }

    void aTextThatIsNoNumberChangesNeitherBox() {
        selectNumberToBinary();
        text("Text2")->SetText(QStringLiteral("101"));
        numberBox()->SetText(QStringLiteral("1,5"));
        text("Text1")->SetText(QStringLiteral("A"));
        clickDo();
        QCOMPARE(text("Text2")->Text(), QStringLiteral("101"));
        QCOMPARE(numberBox()->Text(), QStringLiteral("1,5"));
        QCOMPARE(text("Text3")->Text(), QStringLiteral("01000001\r\n"));
        QVERIFY(m_reports->reports().isEmpty());
    }

    void refusedNumbersAreReported_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("report");
        QTest::newRow("above 2^30")
            << "1073741825"
            << "Run-time error '6':\n\nOverflow\n\nThe number \"1073741825\" was refused: "
               "\"Number To Binary\" takes numbers from 0 to 1073741824.";
        QTest::newRow("too large for a double")
            << "1e999"
            << "Run-time error '6':\n\nOverflow\n\nThe number \"1e999\" was refused: "
               "\"Number To Binary\" takes numbers from 0 to 1073741824.";
        QTest::newRow("negative")
            << "-5"
            << "Run-time error '13':\n\nType mismatch\n\nThe number \"-5\" was refused: "
               "\"Number To Binary\" takes numbers from 0 to 1073741824.";
    }

    void refusedNumbersAreReported() {
        QFETCH(QString, typed);
        QFETCH(QString, report);
        selectNumberToBinary();
        text("Text2")->SetText(QStringLiteral("111"));
        text("Text3")->SetText(QStringLiteral("earlier answer"));
        text("Text1")->SetText(QStringLiteral("A"));
        numberBox()->SetText(typed);
        clickDo();
        QCOMPARE(m_reports->reports(), QStringList{report});
        QCOMPARE(m_reports->titles(), QStringList{QStringLiteral("Glyphmill")});
        QCOMPARE(text("Text2")->Text(), QString());
        QCOMPARE(numberBox()->Text(), typed);
        // The click stopped at the error: the text conversion did not run.
        QCOMPARE(text("Text3")->Text(), QStringLiteral("earlier answer"));
        // The program goes on.
        numberBox()->SetText(QStringLiteral("6"));
        clickDo();
        QCOMPARE(text("Text2")->Text(), QStringLiteral("110"));
        QCOMPARE(text("Text3")->Text(), QStringLiteral("01000001\r\n"));
    }

    void theNumberBoxKeepsLongNumbersWhole() {
        const QString typed(40000, QLatin1Char('9'));
        selectNumberToBinary();
        numberBox()->setFocus();
        QApplication::clipboard()->setText(typed);
        numberBox()->paste();
        QCOMPARE(numberBox()->Text(), typed);
        clickDo();
        QCOMPARE(m_reports->reports().size(), 1);
        QVERIFY(m_reports->reports().first().startsWith(QStringLiteral("Run-time error '6':")));
        QCOMPARE(numberBox()->Text(), typed);
    }

    void aCharacterWithoutCodeIsReported() {
        const QString typed = QStringLiteral("Hi Ω!");
        text("Text1")->SetText(typed);
        clickDo();
        QCOMPARE(
            m_reports->reports(),
            QStringList{QStringLiteral(
                "Run-time error '5':\n\nCharacter 'Ω' (U+03A9) at position 4 has no 8-bit code")});
        QCOMPARE(text("Text3")->Text(), QStringLiteral("01001000\r\n01101001\r\n00100000\r\n"));
        QCOMPARE(text("Text1")->Text(), typed);
    }

    void longInputsConvertFully() {
        const QString input(100000, QLatin1Char('A'));
        text("Text1")->SetText(input);
        clickDo();
        const QString answer = text("Text3")->Text();
        QCOMPARE(answer.size(), 1000000);
        QVERIFY(answer.startsWith(QStringLiteral("01000001\r\n01000001\r\n")));
        QVERIFY(answer.endsWith(QStringLiteral("01000001\r\n")));
        QTest::keyClick(text("Text1"), Qt::Key_F1);
        text("Text1")->SetText(answer);
        clickDo();
        QCOMPARE(text("Text3")->Text(), input);
    }

    void exitEndsTheProgram() {
        menuItem("mnuexit")->trigger();
        QVERIFY(EventDispatch::programEnded());
        QVERIFY(!window()->isVisible());
        // No handler runs after the end.
        text("Text1")->SetText(QStringLiteral("Hi"));
        clickDo();
        QCOMPARE(text("Text3")->Text(), QString());
    }

    void closingTheWindowEndsTheProgram() {
        window()->close();
        QVERIFY(EventDispatch::programEnded());
        QVERIFY(!window()->isVisible());
    }
};

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
