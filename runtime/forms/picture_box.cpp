#include "runtime/forms/picture_box.h"

#include "runtime/forms/label.h"

#include <QPainter>

namespace glyphmill {

PictureBox::PictureBox(QWidget *parent)
    : QFrame(parent) {
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
}

void PictureBox::SetPicture(const QPixmap &picture) {
    m_picture = picture;
    update();
}

void PictureBox::SetBackColor(int colour) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Label::colourOf(colour));
    setPalette(palette);
    setAutoFillBackground(true);
}

void PictureBox::placeInside(QWidget *control, const QRect &geometry) {
    if (control->parentWidget() != this)
        control->setParent(this);
    control->setGeometry(geometry.translated(contentsRect().topLeft()));
}

void PictureBox::paintEvent(QPaintEvent *event) {
    QFrame::paintEvent(event);
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.setClipRect(contentsRect());
    painter.drawPixmap(contentsRect().topLeft(), m_picture);
}

} // namespace glyphmill
