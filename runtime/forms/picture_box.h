#pragma once

#include <QFrame>
#include <QPixmap>

namespace glyphmill {

// A picture box: a sunken box that shows a picture at its inside top left
// corner and holds other controls. Colours are 24-bit numbers &H00BBGGRR.
class PictureBox : public QFrame {
    Q_OBJECT
  public:
    explicit PictureBox(QWidget *parent);

    void SetPicture(const QPixmap &picture);
    void SetBackColor(int colour);

    // Places a control in the box; its geometry counts from the inside of
    // the border.
    void placeInside(QWidget *control, const QRect &geometry);

  protected:
    void paintEvent(QPaintEvent *event) override;

  private:
    QPixmap m_picture;
};

} // namespace glyphmill
