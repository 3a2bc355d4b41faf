#include "runtime/forms/text_box_extents.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QHash>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>

#include <algorithm>

namespace glyphmill {
namespace {

// At most this many characters have extents: far more than a screen shows.
constexpr qsizetype kMaxShown = qsizetype{1} << 16;
// Lines up to this long are placed by the layout, character by character.
constexpr int kPlacedLine = 160;

} // namespace

TextBoxExtents::TextBoxExtents(QPlainTextEdit *box)
    : m_box(box) {
    // Scrolling shows in the update the box asks for (its scroll bar moves
    // without a signal); a horizontal scroll only in the scroll bar.
    const auto count = [changes = m_changes] { ++*changes; };
    QObject::connect(box, &QPlainTextEdit::updateRequest, box, count);
    QObject::connect(box->horizontalScrollBar(), &QScrollBar::valueChanged, box, count);
}

void TextBoxExtents::watchDocument() const {
    QTextDocument *document = m_box->document();
    if (document != m_watched) {
        // The box may be given another document; the extents follow it.
        m_watched = document;
        ++*m_changes;
        const auto count = [changes = m_changes] { ++*changes; };
        QObject::connect(document, &QTextDocument::contentsChange, m_box, count);
        QAbstractTextDocumentLayout *layout = document->documentLayout();
        QObject::connect(layout, &QAbstractTextDocumentLayout::update, m_box, count);
        QObject::connect(layout, &QAbstractTextDocumentLayout::documentSizeChanged, m_box, count);
    }
}

void TextBoxExtents::update() const {
    // Resizing, scrolling or a new document all lay the box out again, which
    // counts as a change.
    if (m_shown.changes != *m_changes) {
        watchDocument();
        layOutShown();
    }
}

void TextBoxExtents::layOutShown() const {
    m_shown = Shown{};
    layOutLines();
    // Laying out may itself ask for updates: what it found holds until the
    // next change after it.
    m_shown.changes = *m_changes;
}

void TextBoxExtents::layOutLines() const {
    QWidget *viewport = m_box->viewport();
    if (!m_box->isVisible())
        return;
    const QTextCursor top = m_box->cursorForPosition(QPoint(0, 0));
    QTextBlock block = top.block();
    int line = -1;
    if (QTextLayout *layout = block.layout())
        line = layout->lineForTextPosition(top.positionInBlock()).lineNumber();
    if (line < 0)
        return;
    m_shown.first = block.position() + block.layout()->lineAt(line).textStart();
    // Only blocks the box has laid out are looked at: they hold what it shows.
    // The widths come from the font, one character at a time: the layout's
    // own measure reads the whole block for its direction at every character
    // (18 s for the shown part of a 100,000-character line), and measuring
    // every start of a line took quadratic time in a line of zero-width
    // characters, which the box shows whole (2,500 of U+200B: 13.7 s CPU,
    // AMD EPYC, window_bench extents 0.0025).
    // For the viewport, whose sizes the layout takes (on Windows they are
    // not the screen's).
    const QFontMetricsF metrics(m_box->font(), viewport);
    // Texts of one or two characters measured so far: a shown line repeats a
    // few of them (digits, a run of zero-width spaces).
    QHash<QString, qreal> measured;
    const auto advance = [&](QStringView characters) {
        const QString key = characters.toString();
        auto found = measured.constFind(key);
        if (found == measured.cend())
            found = measured.insert(key, metrics.horizontalAdvance(key));
        return *found;
    };
    // Where the first block shown lies comes from the box; each next one
    // lies below it. The box finds a place by shaping all of its line, and a
    // line of zero-width characters is as long as a block (60,000 of them:
    // 247 ms CPU asking the box for each block, 10 ms; AMD EPYC, window_bench
    // extents 0.06 3).
    QTextCursor start(m_box->document());
    start.setPosition(block.position() + block.layout()->lineAt(line).textStart());
    QPointF origin =
        QPointF(m_box->cursorRect(start).topLeft()) - block.layout()->lineAt(line).position();
    const QAbstractTextDocumentLayout *blocks = m_box->document()->documentLayout();
    for (; block.isValid() && block.layout()->lineCount() > 0;
         origin.ry() += blocks->blockBoundingRect(block).height(), block = block.next(), line = 0) {
        const QTextLayout *layout = block.layout();
        const QString text = block.text();
        for (; line < layout->lineCount(); ++line) {
            const QTextLine shown = layout->lineAt(line);
            const QPointF at = origin + QPointF(shown.x(), shown.y());
            if (at.y() >= viewport->height())
                return;
            const QStringView characters =
                QStringView(text).mid(shown.textStart(), shown.textLength());
            // A short line is placed as the layout places it: the font's own
            // sizes may differ from its placing by pixels (on Windows). A long
            // one is measured from the font, as each placing asked of the
            // layout reads its whole block. There a character's width is
            // what it adds to the one before it, so that kerning counts.
            const bool placed = shown.textLength() <= kPlacedLine;
            qreal left = placed ? origin.x() + shown.cursorToX(shown.textStart()) : at.x();
            qsizetype previous = -1;
            for (qsizetype i = 0; i < characters.size();) {
                const qsizetype length = characters[i].isHighSurrogate() &&
                                                 i + 1 < characters.size() &&
                                                 characters[i + 1].isLowSurrogate()
                                             ? 2
                                             : 1;
                const qreal width =
                    placed
                        ? origin.x() + shown.cursorToX(int(shown.textStart() + i + length)) - left
                    : previous < 0 ? advance(characters.mid(i, length))
                                   : advance(characters.mid(previous, i + length - previous)) -
                                         advance(characters.mid(previous, i - previous));
                // A surrogate pair's second half has no width of its own.
                for (qsizetype unit = 0; unit < length; ++unit) {
                    if (m_shown.rects.size() >= kMaxShown)
                        return;
                    m_shown.rects.append(
                        QRectF(left, at.y(), unit == 0 ? std::max(width, 0.0) : 0, shown.height())
                            .toAlignedRect());
                }
                left += width;
                previous = i;
                i += length;
            }
        }
        // The block's end, between its last line and the next block.
        const QRect last = m_shown.rects.isEmpty() ? QRect() : m_shown.rects.last();
        m_shown.rects.append(QRect(last.right() + 1, last.top(), 0, last.height()));
    }
}

QRect TextBoxExtents::characterRect(int offset) const {
    // Asked once for each character of a range, however long: this must
    // cost next to nothing for the characters that are not shown.
    update();
    const qsizetype at = qsizetype{offset} - m_shown.first;
    if (at < 0 || at >= m_shown.rects.size())
        return {};
    return m_shown.rects[at].translated(m_box->viewport()->mapToGlobal(QPoint(0, 0)));
}

} // namespace glyphmill
