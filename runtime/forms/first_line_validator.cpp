#include "runtime/forms/first_line_validator.h"

#include <algorithm>
#include <utility>

namespace glyphmill {

FirstLineValidator::FirstLineValidator(QObject *parent, Cut cut)
    : QValidator(parent)
    , m_cut(std::move(cut)) {}

qsizetype FirstLineValidator::firstBreak(QStringView text) {
    const auto found = std::find_if(text.cbegin(), text.cend(),
                                    [](QChar c) { return c == u'\r' || c == u'\n' || c == u'\0'; });
    return found == text.cend() ? -1 : found - text.cbegin();
}

QValidator::State FirstLineValidator::validate(QString &input, int &pos) const {
    const qsizetype start = firstBreak(input);
    if (start < 0)
        return Acceptable;
    // The box held no line break before, so the first one starts the rest of
    // the text just put in, which ends at the caret. A text set whole leaves
    // the caret at its end.
    const qsizetype end = pos > start ? pos : input.size();
    m_cut(QString(input).remove(start, end - start), static_cast<int>(start));
    return Invalid;
}

} // namespace glyphmill
