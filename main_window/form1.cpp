#include "main_window/form1.h"

#include "about_window/form2.h"
#include "codec/binary_to_text.h"
#include "codec/number_to_binary.h"
#include "codec/text_to_binary.h"
#include "runtime/forms/busy_cursor.h"
#include "runtime/forms/command_button.h"
#include "runtime/forms/default_instances.h"
#include "runtime/forms/event_dispatch.h"
#include "runtime/forms/frame.h"
#include "runtime/forms/key_code.h"
#include "runtime/forms/label.h"
#include "runtime/forms/option_button.h"
#include "runtime/forms/placed.h"
#include "runtime/forms/program.h"
#include "runtime/forms/qt_text.h"
#include "runtime/forms/single_line_text_box.h"
#include "runtime/forms/text_box.h"
#include "runtime/forms/timer.h"
#include "runtime/forms/twips.h"
#include "tip_window/frmtip.h"

#include <QApplication>
#include <QMenuBar>
#include <QScreen>

#include <algorithm>

namespace glyphmill {
namespace {

// A screen reader announces a box by its accessible name, and finds the label
// that shows the name through the label's buddy.
void nameBox(QWidget *box, const QString &name, Label *label = nullptr) {
    box->setAccessibleName(name);
    if (label)
        label->setBuddy(box);
}

// A refused number as its report quotes it. A long one is quoted by its start
// and its length, so that the report fits the screen however long it is.
QString quotedNumber(const QString &typed) {
    constexpr qsizetype kLongest = 40;
    constexpr qsizetype kStart = 20;
    if (typed.size() <= kLongest)
        return QStringLiteral("\"%1\"").arg(typed);
    const auto digits =
        std::count_if(typed.cbegin(), typed.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; });
    return QStringLiteral("\"%1…\" (%2 digits)").arg(typed.left(kStart), QString::number(digits));
}

} // namespace

Form1::Form1()
    : FormOf(QStringLiteral("Form1")) {}

void Form1::createControls(FormWindow &window) {
    Program::setMainWindow(&window);
    window.setWindowTitle(QStringLiteral("Glyphmill"));
    window.setWindowIcon(Program::icon());
    window.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    window.setFont(Program::defaultFont());
    window.setClientSize(7125, 5580);
    window.move(twipsToPixels(4110), twipsToPixels(2475));
    QWidget *client = window.client();

    // Later siblings are drawn in front, so the controls are made from the
    // backmost up.
    Label2 = placed<Label>(client, "Label2", {360, 120, 2040, 195});
    Label2->SetCaption(QStringLiteral("Your Text  ->  Binary or Ascii:"));
    Label3 = placed<Label>(client, "Label3", {3720, 120, 570, 195});
    Label3->SetCaption(QStringLiteral("Answer:"));
    Label1 = placed<Label>(client, "Label1", {2400, 3960, 600, 195});
    Label1->SetCaption(QStringLiteral("Number:"));
    Label4 = placed<Label>(client, "Label4", {2400, 4680, 480, 195});
    Label4->SetCaption(QStringLiteral("Binary:"));
    Text1 = placed<TextBox>(client, "Text1", {240, 360, 3255, 2925});
    Command1 =
        placed<CommandButton>(client, "Command1", {5640, 3480, 1215, 495}, QStringLiteral("DO!!!"));
    Text3 = placed<TextBox>(client, "Text3", {3600, 360, 3255, 2895});
    Text4 = placed<TextBox>(client, "Text4", {6480, 0, 495, 285});
    Text4->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Text4->hide();
    Frame1 = placed<Frame>(client, "Frame1", {240, 3480, 1935, 1095});
    Option1 = placed<OptionButton>(client, "Option1", {360, 3720, 1695, 255},
                                   QStringLiteral("Ascii To Binary"));
    Option2 = placed<OptionButton>(client, "Option2", {360, 4080, 1695, 375},
                                   QStringLiteral("Binary To Ascii"));
    Text2 = placed<TextBox>(client, "Text2", {2400, 4920, 4575, 495});
    Text5 = placed<SingleLineTextBox>(client, "Text5", {2400, 4200, 4575, 375});
    Frame2 = placed<Frame>(client, "Frame2", {240, 4680, 1935, 735});
    Option3 = placed<OptionButton>(Frame2, "Option3", {120, 240, 1575, 375},
                                   QStringLiteral("Number To Binary"));
    // Alone in its frame, Option3 forms a group of its own; Qt would treat a
    // lone exclusive button as an unselected one and skip it in the tab order.
    Option3->setAutoExclusive(false);
    Option1->SetValue(true);

    nameBox(Text1, QStringLiteral("Your Text"), Label2);
    nameBox(Text3, QStringLiteral("Answer"), Label3);
    nameBox(Text5, QStringLiteral("Number"), Label1);
    nameBox(Text2, QStringLiteral("Binary"), Label4);
    nameBox(Text4, QStringLiteral("Work"));

    // Focus order; labels and frames take no focus.
    QWidget::setTabOrder(Text1, Command1);
    QWidget::setTabOrder(Command1, Text3);
    QWidget::setTabOrder(Text3, Option1);
    QWidget::setTabOrder(Option1, Option2);
    QWidget::setTabOrder(Option2, Text2);
    QWidget::setTabOrder(Text2, Text5);
    QWidget::setTabOrder(Text5, Option3);
    Text4->setFocusPolicy(Qt::NoFocus);

    Command1->setClickHandler([this] { Command1_Click(); });
    Text1->setKeyDownHandler([this](int keyCode, int shift) { Text1_KeyDown(keyCode, shift); });
    Text3->setKeyDownHandler([this](int keyCode, int shift) { Text3_KeyDown(keyCode, shift); });

    mnufiles = window.menuBar()->addMenu(QStringLiteral("Files"));
    mnufiles->setObjectName(QStringLiteral("mnufiles"));
    const auto addItem = [&](const char *name, const QString &caption, void (Form1::*handler)()) {
        QAction *item = mnufiles->addAction(caption);
        item->setObjectName(QString::fromLatin1(name));
        QObject::connect(item, &QAction::triggered, &window, [this, handler] {
            EventDispatch::run([this, handler] { (this->*handler)(); });
        });
        return item;
    };
    mnuabout = addItem("mnuabout", QStringLiteral("About"), &Form1::mnuabout_Click);
    mnuhelp = addItem("mnuhelp", QStringLiteral("Did U Know"), &Form1::mnuhelp_Click);
    mnustreck = mnufiles->addSeparator();
    mnustreck->setObjectName(QStringLiteral("mnustreck"));
    mnuexit = addItem("mnuexit", QStringLiteral("Exit"), &Form1::mnuexit_Click);

    Text1->setFocus();
}

void Form1::Command1_Click() {
    const BusyCursor busy;
    if (Option3->Value())
        convertNumberToBinary();
    if (Option1->Value())
        convertTextToBinary();
    else
        convertBinaryToText();
}

void Form1::keyDown(int KeyCode) {
    if (KeyCode == kKeyF4)
        Command1->SetValue(true);
    if (KeyCode == kKeyF1) {
        if (Option2->Value())
            Option1->SetValue(true);
        else
            Option2->SetValue(true);
    }
}

void Form1::Text1_KeyDown(int KeyCode, int /*Shift*/) {
    keyDown(KeyCode);
}

void Form1::Text3_KeyDown(int KeyCode, int /*Shift*/) {
    keyDown(KeyCode);
}

void Form1::convertTextToBinary() {
    Text3->SetText(QString());
    const QString input = Text1->Text();
    TextToBinaryResult result = textToBinary(textView(input));
    // The answer is ten times the input: the box takes its single-byte digits
    // as they are, without a wide copy of them all.
    Text3->SetText(
        QLatin1StringView(result.answer.data(), static_cast<qsizetype>(result.answer.size())));
    if (result.error)
        throw *result.error;
}

void Form1::convertBinaryToText() {
    Text3->SetText(QString());
    const BinaryToTextResult result = binaryToText(textView(Text1->Text()));
    Text4->SetText(qtText(result.work));
    Text3->SetText(qtText(result.answer));
}

void Form1::convertNumberToBinary() {
    const QString typed = Text5->Text();
    const NumberToBinaryResult result = numberToBinary(textView(typed));
    if (!result.converted)
        return;
    Text2->SetText(QString());
    if (result.error) {
        const QString detail = QStringLiteral("The number %1 was refused: \"Number To Binary\" "
                                              "takes numbers from 0 to 1073741824.")
                                   .arg(quotedNumber(typed));
        throw result.error->withDetail(detail.toStdString());
    }
    Text2->SetText(qtText(result.digits));
}

void Form1::mnuabout_Click() {
    defaultInstance<Form2>().Timer1().SetEnabled(true);
    defaultInstance<Form2>().Show();
}

void Form1::mnuhelp_Click() {
    defaultInstance<frmTip>().Show();
}

void Form1::mnuexit_Click() {
    EventDispatch::endProgram();
}

void Form1::closeRequested() {
    // The window has no close button; if the window system closes it anyway,
    // the program ends as with "Exit".
    mnuexit_Click();
}

} // namespace glyphmill
