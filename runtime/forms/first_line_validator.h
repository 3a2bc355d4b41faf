#pragma once

#include <QValidator>

#include <functional>

namespace glyphmill {

// Keeps a single-line box to one line: of a text put into it (a paste, a
// drop) only the first line stays; CR LF, LF or CR ends that line, and so
// does a character of code 0, which no text box holds. Such a text is
// refused as it is, and `cut` gets the text that should be there instead:
// a text the validator changed would cost the box its undo history.
class FirstLineValidator : public QValidator {
    Q_OBJECT
  public:
    using Cut = std::function<void(const QString &text, int caret)>;

    FirstLineValidator(QObject *parent, Cut cut);

    State validate(QString &input, int &pos) const override;

    // Where the first line of `text` ends, or -1.
    static qsizetype firstBreak(QStringView text);

  private:
    Cut m_cut;
};

} // namespace glyphmill
