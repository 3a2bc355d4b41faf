#include "runtime/forms/label.h"

#include <cmath>

namespace glyphmill {
namespace {

// Relative luminance of an sRGB colour, 0 for black to 1 for white.
double luminance(const QColor &colour) {
    const auto linear = [](double channel) {
        return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

// Black or white, whichever contrasts more with `back`.
QColor readableOn(const QColor &back) {
    const double light = luminance(back) + 0.05;
    return light / 0.05 >= 1.05 / light ? QColor(Qt::black) : QColor(Qt::white);
}

} // namespace

Label::Label(QWidget *parent, bool autoSize)
    : QLabel(parent)
    , m_autoSize(autoSize) {
    setTextFormat(Qt::PlainText);
    applyColours();
}

void Label::SetCaption(const QString &caption) {
    setText(caption);
    if (m_autoSize)
        adjustSize();
}

void Label::SetForeColor(int colour) {
    m_foreColor = colour;
    applyColours();
}

void Label::SetBackColor(int colour) {
    m_backColor = colour;
    applyColours();
}

QColor Label::colourOf(int bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

void Label::applyColours() {
    // Only the roles set here are fixed; the others follow the system's
    // palette, also when it changes while the program runs.
    QPalette palette;
    if (m_backColor) {
        palette.setColor(QPalette::Window, colourOf(*m_backColor));
        setAutoFillBackground(true);
    }
    if (m_foreColor)
        palette.setColor(QPalette::WindowText, colourOf(*m_foreColor));
    else if (m_backColor)
        palette.setColor(QPalette::WindowText, readableOn(colourOf(*m_backColor)));
    setPalette(palette);
}

} // namespace glyphmill
