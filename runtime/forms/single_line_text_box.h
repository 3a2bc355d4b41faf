#pragma once

#include "runtime/forms/steady_caret.h"

#include <QLineEdit>

#include <optional>

namespace glyphmill {

// A single-line text box. A text set with a character of code 0 keeps only
// the part before it; of a text with line breaks, pasted or set, it keeps
// only the first line. A paste cut so is one edit that Ctrl+Z takes back.
class SingleLineTextBox : public QLineEdit {
    Q_OBJECT
  public:
    explicit SingleLineTextBox(QWidget *parent);

    QString Text() const { return text(); }
    void SetText(const QString &text);

  protected:
    bool event(QEvent *event) override;

  private:
    struct Cut {
        QString text;
        int caret = 0;
    };

    void applyCut();
    // The caret stays lit in a huge text (SteadyCaret).
    void updateBlinking();

    // What the box should hold after a text put in was refused for its
    // line break.
    std::optional<Cut> m_cut;
    SteadyCaret m_steadyCaret;
};

} // namespace glyphmill
