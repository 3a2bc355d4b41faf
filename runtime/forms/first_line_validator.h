#pragma once

#include <QValidator>

namespace glyphmill {

// Keeps a single-line box to one line: of a text put into it (a paste, a
// drop) only the first line stays; CR LF, LF or CR ends that line.
class FirstLineValidator : public QValidator {
    Q_OBJECT
  public:
    explicit FirstLineValidator(QObject *parent);

    State validate(QString &input, int &pos) const override;
};

} // namespace glyphmill
