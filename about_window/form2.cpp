#include "about_window/form2.h"

#include "runtime/base/number_text.h"
#include "runtime/forms/basic_colours.h"
#include "runtime/forms/default_instances.h"
#include "runtime/forms/label.h"
#include "runtime/forms/placed.h"
#include "runtime/forms/program.h"
#include "runtime/forms/qt_text.h"
#include "runtime/forms/timer.h"

#include <QPixmap>

#include <optional>

namespace glyphmill {
namespace {

constexpr int kOrange = 0x0080FF;
constexpr int kRed = 0x0000FF;
constexpr int kMagenta = 0xFF00FF;

// A member of a control array: "Label1(3)", its index in the "Index"
// property. A label with no font of its own takes the window's.
Label *arrayLabel(QWidget *parent, const char *array, int index, const QString &caption,
                  QRect twips, const std::optional<QFont> &font = std::nullopt) {
    auto *label = placed<Label>(
        parent, QStringLiteral("%1(%2)").arg(QLatin1StringView(array)).arg(index), twips);
    label->setProperty("Index", index);
    label->SetBackColor(kWhite);
    if (font)
        label->setFont(*font);
    label->SetCaption(caption);
    return label;
}

// Counters kept in captions are read back as numbers and written as text.
double captionNumber(const Label &label) {
    return textToNumber(textView(label.Caption()));
}

void setCaptionNumber(Label &label, double number) {
    label.SetCaption(qtText(numberText(number)));
}

QFont titleFont() {
    QFont font = Program::defaultFont();
    font.setPointSizeF(8.25);
    font.setBold(true);
    return font;
}

// A fixed-pitch face for the countdown.
QFont countdownFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")});
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSize(9);
    return font;
}

// An icon with no visible pixel: an empty one would fall back to the
// program's icon.
QIcon noIcon() {
    QPixmap clear(16, 16);
    clear.fill(Qt::transparent);
    return QIcon(clear);
}

} // namespace

Form2::Form2()
    : FormOf(QStringLiteral("Form2")) {}

Timer &Form2::Timer1() {
    window();
    return *m_timer1;
}

Label &Form2::Label1(int index) {
    window();
    return *m_label1.at(static_cast<std::size_t>(index));
}

Label &Form2::Label2(int index) {
    window();
    return *m_label2.at(static_cast<std::size_t>(index));
}

void Form2::createControls(FormWindow &window) {
    window.setWindowTitle(QStringLiteral("Form2"));
    window.setWindowIcon(noIcon());
    window.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    window.setFont(Program::defaultFont());
    window.setClientSize(3390, 2115);
    window.placeBeside(Program::mainWindow());

    // The picture is drawn from the top left at its own size, covering the
    // whole client area.
    QWidget *client = window.client();
    QPalette palette = client->palette();
    palette.setBrush(QPalette::Window,
                     QBrush(QPixmap(QStringLiteral(":/glyphmill/about_background.jpg"))));
    client->setPalette(palette);
    client->setAutoFillBackground(true);

    // Later siblings are drawn in front, so the labels are made from the
    // backmost up.
    m_label1[0] = arrayLabel(client, "Label1", 0, QStringLiteral("Glyphmill"),
                             {1080, 360, 1335, 195}, titleFont());
    m_label1[1] = arrayLabel(client, "Label1", 1, QStringLiteral("Was coded by Tovrel"),
                             {960, 600, 1530, 195});
    m_label1[2] = arrayLabel(client, "Label1", 2, QStringLiteral("Contact Tovrel at "),
                             {1080, 840, 1275, 195});
    m_label2[0] = arrayLabel(client, "Label2", 0, QStringLiteral("tovrel@example.com"),
                             {600, 1080, 2400, 195});
    m_label2[0]->SetForeColor(kMagenta);
    m_label2[1] = arrayLabel(client, "Label2", 1, QStringLiteral("Special Thanx To:"),
                             {1080, 1320, 1305, 195});
    m_label2[2] =
        arrayLabel(client, "Label2", 2, QStringLiteral("Zarno , Plimwick and Trosselbeck"),
                   {600, 1560, 2295, 195});
    Label3 = placed<Label>(client, "Label3", {120, 120, 90, 195});
    Label3->SetCaption(QStringLiteral("0"));
    Label3->hide();
    m_label1[3] =
        arrayLabel(client, "Label1", 3, QStringLiteral("7"), {480, 360, 120, 225}, countdownFont());
    Label4 = placed<Label>(client, "Label4", {120, 360, 90, 195});
    Label4->SetCaption(QStringLiteral("0"));
    Label4->hide();

    m_timer1 = new Timer(200, &window);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setTimerHandler([this] { Timer1_Timer(); });
}

void Form2::Timer1_Timer() {
    Label &contactLine = Label2(0);
    if (captionNumber(*Label3) == 0) {
        contactLine.SetForeColor(kOrange);
        setCaptionNumber(*Label3, captionNumber(*Label3) + 1);
    } else if (captionNumber(*Label3) == 1) {
        contactLine.SetForeColor(kRed);
        setCaptionNumber(*Label3, captionNumber(*Label3) + 1);
    } else if (captionNumber(*Label3) == 2) {
        contactLine.SetForeColor(kMagenta);
        setCaptionNumber(*Label3, 0);
    }

    // One test per step, each reading the tick count anew.
    Label &countdown = Label1(3);
    for (const int tickCount : {5, 10, 15, 20, 25, 30, 35}) {
        if (captionNumber(*Label4) == tickCount)
            setCaptionNumber(countdown, captionNumber(countdown) - 1);
    }

    if (captionNumber(countdown) == 0)
        endCountdown();
    else
        setCaptionNumber(*Label4, captionNumber(*Label4) + 1);
}

void Form2::closeRequested() {
    // The window has no close button; if the window system closes it anyway,
    // it goes as at the end of its countdown, so the next "About" starts anew.
    endCountdown();
}

void Form2::endCountdown() {
    defaultInstance<Form2>().Timer1().SetEnabled(false);
    setCaptionNumber(Label1(3), 7);
    setCaptionNumber(*Label3, 0);
    setCaptionNumber(*Label4, 0);
    Unload();
}

} // namespace glyphmill
