#pragma once

#include <QLabel>

#include <optional>

namespace glyphmill {

// A label; colours are 24-bit numbers &H00BBGGRR (blue in the high byte).
// Until the program sets a colour the label shows the system's, so that it
// reads on light and dark desktops alike; a back colour set without a text
// colour gets black or white text, whichever reads better on it.
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
    std::optional<int> m_foreColor; // the system's text colour
    std::optional<int> m_backColor; // transparent
};

} // namespace glyphmill
