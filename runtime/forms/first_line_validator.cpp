#include "first_line_validator.h"

#include <algorithm>

namespace glyphmill {

FirstLineValidator::FirstLineValidator(QObject *parent)
    : QValidator(parent) {}

QValidator::State FirstLineValidator::validate(QString &input, int &pos) const {
    const auto lineBreak = std::find_if(input.cbegin(), input.cend(),
                                        [](QChar c) { return c == u'\r' || c == u'\n'; });
    if (lineBreak == input.cend())
        return Acceptable;
    // The box held no line break before, so the first one starts the rest of
    // the text just put in, which ends at the caret. A text set whole leaves
    // the caret at its end.
    const int start = static_cast<int>(lineBreak - input.cbegin());
    const int end = pos > start ? pos : static_cast<int>(input.size());
    input.remove(start, end - start);
    pos = start;
    return Acceptable;
}

} // namespace glyphmill
