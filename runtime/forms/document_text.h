#pragma once

#include <QString>

class QTextDocument;

namespace glyphmill {

// How many characters at the start of `text`, at most `most`, the document
// holds from `position`, read as TextCuts::heldText reads it. Read in pieces, so that a huge text
// is not read whole for a difference near its start.
qsizetype sameAtStart(const QTextDocument &document, int position, QStringView text,
                      qsizetype most);
// The same at the end of `text`, which the document holds up to `end`.
qsizetype sameAtEnd(const QTextDocument &document, int end, QStringView text, qsizetype most);

} // namespace glyphmill
