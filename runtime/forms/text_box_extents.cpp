#include "runtime/forms/text_box_extents.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>

namespace glyphmill {
namespace {

// At most this many characters have extents: far more than a screen shows.
constexpr qsizetype kMaxShown = qsizetype{1} << 16;

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
    // The widths come from the font: the layout's own measure reads the
    // whole block for its direction at every character (18 s for the shown
    // part of a 100,000-character line).
    const QFontMetricsF metrics(m_box->font());
    for (; block.isValid() && block.layout()->lineCount() > 0; block = block.next(), line = 0) {
        const QTextLayout *layout = block.layout();
        const QTextLine first = layout->lineAt(line);
        QTextCursor start(m_box->document());
        start.setPosition(block.position() + first.textStart());
        const QPointF origin =
            QPointF(m_box->cursorRect(start).topLeft()) - QPointF(first.x(), first.y());
        const QString text = block.text();
        for (; line < layout->lineCount(); ++line) {
            const QTextLine shown = layout->lineAt(line);
            const QPointF at = origin + QPointF(shown.x(), shown.y());
            if (at.y() >= viewport->height() || m_shown.rects.size() >= kMaxShown)
                return;
            const QStringView characters =
                QStringView(text).mid(shown.textStart(), shown.textLength());
            for (qsizetype i = 0; i < characters.size(); ++i) {
                const qreal left = metrics.horizontalAdvance(characters.left(i).toString());
                const qreal width = metrics.horizontalAdvance(characters[i]);
                m_shown.rects.append(
                    QRectF(at.x() + left, at.y(), width, shown.height()).toAlignedRect());
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
