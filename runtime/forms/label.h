#pragma once

#include <QLabel>

namespace glyphmill {

// A label; colours are 24-bit numbers &H00BBGGRR (blue in the high byte).
// An auto-sized label keeps its left and top and fits its text.
class Label : public QLabel {
    Q_OBJECT
  public:
    explicit Label(QWidget *parent, bool autoSize = true);

    QString Caption() const { return text(); }
    void SetCaption(const QString &caption);
    void SetForeColor(int colour);
    void SetBackColor(int colour);

    static QColor colourOf(int bgr);

  private:
    void applyColours();

    bool m_autoSize;
    int m_foreColor = 0;
    int m_backColor = -1; // transparent
};

} // namespace glyphmill
