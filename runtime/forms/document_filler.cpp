#include "runtime/forms/document_filler.h"

#include <QAbstractTextDocumentLayout>
#include <QElapsedTimer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace glyphmill {
namespace {

// A text goes into the document in pieces of this size, so that the progress
// can be shown between them; all pieces are one edit. 5M characters of digit
// lines in blocks of 256 lines: 16 ms CPU in pieces of 1M, 46 ms in pieces of
// 64K, 15 ms in one (window_bench methods 0.5, offscreen).
constexpr qsizetype kPiece = qsizetype{1} << 20;
// A fill is shown once it has run this long and looks like taking kSlowMs in
// all: 5M characters of digit lines fill in 15 ms CPU, so only a fill far
// beyond that (100M: "DO!!!" until shown 1.2 s CPU) shows its progress.
constexpr qint64 kNoticeMs = 100;
constexpr qint64 kSlowMs = 500;

constexpr char16_t kStandIn = 0xfdd2;

char16_t unit(QChar c) {
    return c.unicode();
}

char16_t unit(char c) {
    return static_cast<unsigned char>(c);
}

char16_t standInFor(char16_t c) {
    switch (c) {
    case QChar::LineSeparator:
        return kStandIn;
    case QChar::ParagraphSeparator:
        return kStandIn + 1;
    case 0xfdd0:
        return kStandIn + 2;
    case 0xfdd1:
        return kStandIn + 3;
    default:
        return c;
    }
}

// Appends [from, end) as the document keeps it; `lines` counts the line ends
// of the current block across calls. Returns whether all line ends were CR LF.
template <typename Char>
bool appendShown(QString &out, const Char *from, const Char *end, qsizetype &lines) {
    bool exact = true;
    const qsizetype start = out.size();
    out.resize(start + (end - from));
    QChar *to = out.data() + start;
    for (; from != end; ++from) {
        char16_t c = unit(*from);
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && from + 1 != end && unit(from[1]) == u'\n')
                ++from;
            else
                exact = false;
            const bool blockEnd = ++lines % DocumentFiller::kLinesPerBlock == 0;
            c = blockEnd ? QChar::ParagraphSeparator : QChar::LineSeparator;
        } else {
            c = standInFor(c);
        }
        *to++ = QChar(c);
    }
    out.resize(to - out.data());
    return exact;
}

} // namespace

DocumentFiller::DocumentFiller(Progress progress)
    : m_progress(std::move(progress)) {}

bool DocumentFiller::insert(QTextCursor &cursor, QStringView text) {
    return fill(cursor, text);
}

bool DocumentFiller::insert(QTextCursor &cursor, QLatin1StringView text) {
    return fill(cursor, text);
}

template <typename View> bool DocumentFiller::fill(QTextCursor &cursor, View text) {
    QElapsedTimer clock;
    clock.start();
    bool shown = false;
    bool exact = true;
    // One edit however many pieces: a block that a piece goes into is laid
    // out again whole after each edit, so that a long line took quadratic
    // time (10M characters on one line: 29 s).
    cursor.beginEditBlock();
    for (qsizetype done = 0; done < text.size();) {
        qsizetype end = std::min(text.size(), done + kPiece);
        // A CR LF is one line end, also where a piece ends between the two.
        if (end < text.size() && unit(text[end - 1]) == u'\r' && unit(text[end]) == u'\n')
            ++end;
        QString piece;
        exact = appendShown(piece, text.data() + done, text.data() + end, m_lines) && exact;
        cursor.insertText(piece);
        done = end;
        const qint64 elapsed = clock.elapsed();
        shown = shown || (done < text.size() && elapsed > kNoticeMs &&
                          elapsed * text.size() / done > kSlowMs);
        if (shown && m_progress)
            m_progress(done, text.size());
    }
    cursor.endEditBlock();
    return exact;
}

void DocumentFiller::countLines(QTextDocument &document, int firstBlock, int lastBlock) {
    // A block not laid out yet counts as one line in the scroll bar of a
    // QPlainTextEdit, which then misplaces everything below (1M lines: the
    // middle of the bar showed line 179,968). Counting 1M lines of digits
    // adds 25 ms CPU to filling them (127 ms, 102 without); laying them all
    // out takes 3.3 s CPU and 58 MB more at the peak (offscreen window test,
    // medians of 3).
    bool changed = false;
    for (QTextBlock block = document.findBlockByNumber(firstBlock);
         block.isValid() && block.blockNumber() <= lastBlock; block = block.next()) {
        const QString text = block.text();
        const int lines =
            1 + static_cast<int>(std::count(text.begin(), text.end(), QChar(QChar::LineSeparator)));
        if (block.isVisible() && block.lineCount() < lines) {
            block.setLineCount(lines);
            changed = true;
        }
    }
    if (QAbstractTextDocumentLayout *layout = document.documentLayout(); changed && layout)
        Q_EMIT layout->documentSizeChanged(layout->documentSize());
}

QChar DocumentFiller::original(QChar shown) {
    switch (shown.unicode()) {
    case kStandIn:
        return QChar::LineSeparator;
    case kStandIn + 1:
        return QChar::ParagraphSeparator;
    case kStandIn + 2:
        return QChar(0xfdd0);
    case kStandIn + 3:
        return QChar(0xfdd1);
    default:
        return shown;
    }
}

namespace {

bool isLineEnd(QChar c) {
    return c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
}

bool isStandIn(QChar c) {
    return c.unicode() >= kStandIn && c.unicode() < kStandIn + 4;
}

} // namespace

QString DocumentFiller::textOf(QStringView shown) {
    QString text(shown.size() + std::count_if(shown.begin(), shown.end(), isLineEnd),
                 Qt::Uninitialized);
    QChar *to = text.data();
    for (const QChar c : shown) {
        if (isLineEnd(c)) {
            *to++ = u'\r';
            *to++ = u'\n';
        } else {
            *to++ = isStandIn(c) ? original(c) : c;
        }
    }
    return text;
}

bool DocumentFiller::holdsAsIs(QStringView text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) {
        return c.unicode() != 0 && standInFor(c.unicode()) == c.unicode();
    });
}

void DocumentFiller::toCopiedText(QString &shown) {
    for (QChar &c : shown) {
        if (isLineEnd(c))
            c = u'\n';
        else if (isStandIn(c))
            c = original(c);
    }
}

} // namespace glyphmill
