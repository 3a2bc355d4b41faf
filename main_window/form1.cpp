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

template <typename Control> Control *place(Control *control, const char *name, QRect geometry) {
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(geometry);
    return control;
}

Label *makeLabel(QWidget *parent, const char *name, const QString &caption, QRect geometry) {
    auto *label = place(new Label(parent), name, geometry);
    label->SetCaption(caption);
    return label;
}

TextBox *makeTextBox(QWidget *parent, const char *name, QRect geometry) {
    return place(new TextBox(parent), name, geometry);
}

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
    : Form(QStringLiteral("Form1")) {}

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
    Label2 = makeLabel(client, "Label2", QStringLiteral("Your Text  ->  Binary or Ascii:"),
                       twipsRect(360, 120, 2040, 195));
    Label3 = makeLabel(client, "Label3", QStringLiteral("Answer:"), twipsRect(3720, 120, 570, 195));
    Label1 =
        makeLabel(client, "Label1", QStringLiteral("Number:"), twipsRect(2400, 3960, 600, 195));
    Label4 =
        makeLabel(client, "Label4", QStringLiteral("Binary:"), twipsRect(2400, 4680, 480, 195));
    Text1 = makeTextBox(client, "Text1", twipsRect(240, 360, 3255, 2925));
    Command1 = place(new CommandButton(QStringLiteral("DO!!!"), client), "Command1",
                     twipsRect(5640, 3480, 1215, 495));
    Text3 = makeTextBox(client, "Text3", twipsRect(3600, 360, 3255, 2895));
    Text4 = makeTextBox(client, "Text4", twipsRect(6480, 0, 495, 285));
    Text4->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Text4->hide();
    Frame1 = place(new Frame(client), "Frame1", twipsRect(240, 3480, 1935, 1095));
    Option1 = place(new OptionButton(QStringLiteral("Ascii To Binary"), client), "Option1",
                    twipsRect(360, 3720, 1695, 255));
    Option2 = place(new OptionButton(QStringLiteral("Binary To Ascii"), client), "Option2",
                    twipsRect(360, 4080, 1695, 375));
    Text2 = makeTextBox(client, "Text2", twipsRect(2400, 4920, 4575, 495));
    Text5 = place(new SingleLineTextBox(client), "Text5", twipsRect(2400, 4200, 4575, 375));
    Frame2 = place(new Frame(client), "Frame2", twipsRect(240, 4680, 1935, 735));
    Option3 = place(new OptionButton(QStringLiteral("Number To Binary"), Frame2), "Option3",
                    twipsRect(120, 240, 1575, 375));
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

void Form1::releaseControls() {
    Frame2 = nullptr;
    Option3 = nullptr;
    Text5 = nullptr;
    Text2 = nullptr;
    Option2 = nullptr;
    Option1 = nullptr;
    Frame1 = nullptr;
    Text4 = nullptr;
    Text3 = nullptr;
    Command1 = nullptr;
    Text1 = nullptr;
    Label4 = nullptr;
    Label1 = nullptr;
    Label3 = nullptr;
    Label2 = nullptr;
    mnufiles = nullptr;
    mnuabout = nullptr;
    mnuhelp = nullptr;
    mnustreck = nullptr;
    mnuexit = nullptr;
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
