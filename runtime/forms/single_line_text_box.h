#pragma once

#include <QLineEdit>

namespace glyphmill {

// A single-line text box. A text set with a character of code 0 keeps only
// the part before it; of a text with line breaks, pasted or set, it keeps
// only the first line.
class SingleLineTextBox : public QLineEdit {
    Q_OBJECT
  public:
    explicit SingleLineTextBox(QWidget *parent);

    QString Text() const { return text(); }
    void SetText(const QString &text);
};

} // namespace glyphmill
