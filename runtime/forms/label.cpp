#include "runtime/forms/label.h"

namespace glyphmill {

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
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, colourOf(m_foreColor));
    if (m_backColor >= 0) {
        palette.setColor(QPalette::Window, colourOf(m_backColor));
        setAutoFillBackground(true);
    }
    setPalette(palette);
}

} // namespace glyphmill
