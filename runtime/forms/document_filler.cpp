#include "runtime/forms/document_filler.h"

#include "runtime/forms/text_cuts.h"

#include <QAbstractTextDocumentLayout>
#include <QElapsedTimer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <utility>

namespace glyphmill {
namespace {

// A text goes into the document in pieces of this size, so that the progress
// can be shown between them; all pieces are one edit. 5M characters of digit
// lines in blocks of 256 lines: 9 ms CPU in pieces of 1M, 37 ms in pieces of
// 64K, 7 ms in one; 22 ms through the whole filler (AMD EPYC, window_bench
// methods 0.5 3, offscreen).
constexpr qsizetype kPiece = qsizetype{1} << 20;
// A fill is shown once it has run this long and looks like taking kSlowMs in
// all: only a fill far beyond the 22 ms of 5M characters of digit lines shows
// its progress (100M: "DO!!!" until shown 1.8 s CPU; AMD EPYC, window_bench
// methods 0.5 3 and convert 10 lines 3).
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

} // namespace

DocumentFiller::DocumentFiller(const LineMeasure &measure, Progress progress)
    : m_progress(std::move(progress))
    , m_cutter(measure) {}

std::vector<int> DocumentFiller::lineCounts() const {
    std::vector<int> counts = m_cutter.lineCounts();
    counts.push_back(m_cutter.lines());
    return counts;
}

// Appends [from, end) as the document holds it. Returns whether all line ends
// were CR LF.
template <typename Char>
bool DocumentFiller::appendHeld(QString &out, const Char *from, const Char *end) {
    bool exact = true;
    const qsizetype start = out.size();
    // A block is cut at most once in kBlockLength / 2 characters.
    out.resize(start + (end - from) + (end - from) / (BlockCutter::kBlockLength / 2) + 1);
    QChar *to = out.data() + start;
    for (; from != end; ++from) {
        char16_t c = unit(*from);
        if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && from + 1 != end && unit(from[1]) == u'\n')
                ++from;
            else
                exact = false;
            *to++ = m_cutter.endsBlock() ? QChar::ParagraphSeparator : QChar::LineSeparator;
        } else {
            c = standInFor(c);
            if (m_cutter.cutBefore(QChar(c)))
                *to++ = QChar(TextCuts::kMark);
            *to++ = QChar(c);
        }
    }
    out.resize(to - out.data());
    return exact;
}

bool DocumentFiller::insert(QTextCursor &cursor, QStringView text) {
    return fill(cursor, text);
}

bool DocumentFiller::insert(QTextCursor &cursor, QLatin1StringView text) {
    return fill(cursor, text);
}

template <typename View> bool DocumentFiller::fill(QTextCursor &cursor, View text) {
    QElapsedTimer clock;
    clock.start();
    bool progressShown = false;
    bool exact = true;
    // One edit however many pieces: undo takes it back whole, and the box
    // lays out the blocks it changed once.
    cursor.beginEditBlock();
    for (qsizetype done = 0; done < text.size();) {
        qsizetype end = std::min(text.size(), done + kPiece);
        // A CR LF is one line end, also where a piece ends between the two.
        if (end < text.size() && unit(text[end - 1]) == u'\r' && unit(text[end]) == u'\n')
            ++end;
        QString piece;
        exact = appendHeld(piece, text.data() + done, text.data() + end) && exact;
        TextCuts::insertHeld(cursor, piece);
        done = end;
        const qint64 elapsed = clock.elapsed();
        progressShown = progressShown || (done < text.size() && elapsed > kNoticeMs &&
                                          elapsed * text.size() / done > kSlowMs);
        if (progressShown && m_progress)
            m_progress(done, text.size());
    }
    cursor.endEditBlock();
    return exact;
}

std::vector<int> DocumentFiller::cutAgain(QTextCursor &cursor, int blockNumber,
                                          const LineMeasure &measure) {
    QTextDocument &document = *cursor.document();
    const QTextBlock block = document.findBlockByNumber(blockNumber);
    const int start = block.position();
    const QString held = TextCuts::heldText(document, start, start + block.length() - 1);
    BlockCutter cutter(measure);
    // Where the block ends anew: by a cut, or at a line end.
    std::vector<std::pair<qsizetype, bool>> ends;
    for (qsizetype at = 0; at < held.size(); ++at) {
        if (held[at] == QChar::LineSeparator ? cutter.endsBlock() : cutter.cutBefore(held[at]))
            ends.emplace_back(at, held[at] != QChar::LineSeparator);
    }
    for (auto end = ends.rbegin(); end != ends.rend(); ++end) {
        cursor.setPosition(start + static_cast<int>(end->first));
        if (!end->second)
            cursor.deleteChar();
        cursor.insertBlock(end->second ? TextCuts::blockAfterCut() : QTextBlockFormat());
    }
    std::vector<int> counts = cutter.lineCounts();
    counts.push_back(cutter.lines());
    return counts;
}

void DocumentFiller::setLineCounts(QTextDocument &document, int firstBlock,
                                   const std::vector<int> &counts) {
    // A block not laid out yet counts as one line in the scroll bar of a
    // QPlainTextEdit, which then misplaces everything below (1M lines: the
    // middle of the bar showed line 179,968); laying them all out instead
    // takes seconds.
    bool changed = false;
    QTextBlock block = document.findBlockByNumber(firstBlock);
    for (auto count = counts.begin(); count != counts.end() && block.isValid();
         ++count, block = block.next()) {
        if (block.isVisible() && block.lineCount() < *count) {
            block.setLineCount(*count);
            changed = true;
        }
    }
    if (QAbstractTextDocumentLayout *layout = document.documentLayout(); changed && layout)
        Q_EMIT layout->documentSizeChanged(layout->documentSize());
}

QChar DocumentFiller::original(QChar held) {
    switch (held.unicode()) {
    case kStandIn:
        return QChar::LineSeparator;
    case kStandIn + 1:
        return QChar::ParagraphSeparator;
    case kStandIn + 2:
        return QChar(0xfdd0);
    case kStandIn + 3:
        return QChar(0xfdd1);
    default:
        return held;
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

QString DocumentFiller::textOf(QStringView held) {
    QString text(held.size() + std::count_if(held.begin(), held.end(), isLineEnd),
                 Qt::Uninitialized);
    QChar *to = text.data();
    for (const QChar c : held) {
        if (isLineEnd(c)) {
            *to++ = u'\r';
            *to++ = u'\n';
        } else if (c != TextCuts::kMark) {
            *to++ = isStandIn(c) ? original(c) : c;
        }
    }
    text.truncate(to - text.data());
    return text;
}

bool DocumentFiller::holdsAsIs(QStringView text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) {
        return c.unicode() != 0 && standInFor(c.unicode()) == c.unicode();
    });
}

void DocumentFiller::toCopiedText(QString &held) {
    QChar *to = held.data();
    for (const QChar c : std::as_const(held)) {
        if (isLineEnd(c))
            *to++ = u'\n';
        else if (c != TextCuts::kMark)
            *to++ = isStandIn(c) ? original(c) : c;
    }
    held.truncate(to - held.data());
}

} // namespace glyphmill
