#include "text_box.h"

#include "event_dispatch.h"
#include "key_code.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QProgressBar>
#include <QStyleHints>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <memory>
#include <utility>

namespace glyphmill {
namespace {

// Lines per text block. A block per line makes the document cost several
// times its text; one block for everything is laid out whole whenever any of
// it is shown.
constexpr qsizetype kLinesPerBlock = 256;
// A large text goes into the document in pieces of this size, so that the
// progress can be shown between them.
constexpr qsizetype kPiece = qsizetype{1} << 20;
// A line this long is laid out whole for every caret blink; the caret in it
// stays lit instead.
constexpr int kBlinkingLineLimit = 100'000;
// A text up to this length is also kept as set or read, with its CR LF line
// breaks; a longer one is read from the document when asked for.
constexpr qsizetype kKeptText = qsizetype{1} << 24;

QString withoutNul(const QString &text) {
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    return nul < 0 ? text : text.left(nul);
}

char16_t unit(QChar c) {
    return c.unicode();
}

char16_t unit(char c) {
    return static_cast<unsigned char>(c);
}

// Appends [from, end) as the document keeps it: each line end (CR LF, CR, LF
// or a line separator) becomes a line separator, and every
// kLinesPerBlock-th one a paragraph separator, which ends a block; `lines`
// counts the line ends of the current block across calls. Returns whether
// the document gives the text back exactly, all of its line ends CR LF.
template <typename Char>
bool appendShown(QString &out, const Char *from, const Char *end, qsizetype &lines) {
    bool exact = true;
    const qsizetype start = out.size();
    out.resize(start + (end - from));
    QChar *to = out.data() + start;
    for (; from != end; ++from) {
        char16_t c = unit(*from);
        if (c == u'\r' || c == u'\n' || c == QChar::LineSeparator) {
            if (c == u'\r' && from + 1 != end && unit(from[1]) == u'\n')
                ++from;
            else
                exact = false;
            c = ++lines % kLinesPerBlock == 0 ? QChar::ParagraphSeparator : QChar::LineSeparator;
        } else if (c == QChar::ParagraphSeparator || c == 0xfdd0 || c == 0xfdd1) {
            // The document ends a block at each of these.
            exact = false;
            lines = 0;
            c = QChar::ParagraphSeparator;
        }
        *to++ = QChar(c);
    }
    out.resize(to - out.data());
    return exact;
}

} // namespace

TextBox::TextBox(QWidget *parent)
    : QPlainTextEdit(parent) {
    setTabChangesFocus(true);
    // Break long lines anywhere: breaking at word boundaries first lays out a
    // long line without spaces (a run of digits) in quadratic time.
    setWordWrapMode(QTextOption::WrapAnywhere);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The box keeps its own single undo level: the document's own undo would
    // keep every edit, and the text each one removed, for as long as it lives.
    document()->setUndoRedoEnabled(false);
    connect(document(), &QTextDocument::contentsChange, this, &TextBox::recordChange);
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, &TextBox::updateBlinking);
}

TextBox::~TextBox() {
    // A box that goes while its caret is steady gives the blink back.
    if (m_savedFlashTime >= 0)
        QGuiApplication::styleHints()->setCursorFlashTime(m_savedFlashTime);
}

QString TextBox::Text() const {
    if (m_text)
        return *m_text;
    const QString shown = m_shownKept ? m_shown : document()->toRawText();
    const auto isBreak = [](QChar c) {
        return c == QChar::ParagraphSeparator || c == QChar::LineSeparator;
    };
    QString text(shown.size() + std::count_if(shown.begin(), shown.end(), isBreak),
                 Qt::Uninitialized);
    QChar *to = text.data();
    for (const QChar c : shown) {
        if (isBreak(c))
            *to++ = u'\r';
        *to++ = isBreak(c) ? QChar(u'\n') : c;
    }
    // Reading the input box again costs nothing; a huge answer is not kept
    // twice.
    if (text.size() <= kKeptText)
        m_text = text;
    return text;
}

void TextBox::forget() {
    m_text.reset();
    m_shown.clear();
    m_shownKept = false;
    m_undo.reset();
    m_redo.reset();
    m_textPending = false;
}

void TextBox::SetText(const QString &text) {
    forget();
    m_text = withoutNul(text);
    m_textPending = true;
    if (isVisible())
        fill(QStringView(*m_text));
}

void TextBox::SetText(QLatin1StringView text) {
    const qsizetype nul = text.indexOf(QLatin1Char('\0'));
    if (nul >= 0)
        text.truncate(nul);
    if (!isVisible())
        return SetText(QString(text));
    forget();
    fill(text);
}

template <typename View> void TextBox::fill(View text) {
    m_setting = true;
    document()->setPlainText(QString());
    QTextCursor cursor(document());
    const bool exact = insertText(cursor, text);
    // The caret goes to the start, as after any new text.
    setTextCursor(QTextCursor(document()));
    m_setting = false;
    m_textPending = false;
    if (exact && text.size() > kKeptText)
        m_text.reset();
    else if (!m_text)
        m_text = text.toString();
    updateBlinking();
}

template <typename View> bool TextBox::insertText(QTextCursor &cursor, View text) {
    QElapsedTimer clock;
    clock.start();
    std::unique_ptr<QProgressBar> progress;
    qsizetype lines = 0;
    bool exact = true;
    for (qsizetype done = 0; done < text.size();) {
        qsizetype end = std::min(text.size(), done + kPiece);
        if (end < text.size() && unit(text[end - 1]) == u'\r' && unit(text[end]) == u'\n')
            ++end;
        QString piece;
        exact = appendShown(piece, text.data() + done, text.data() + end, lines) && exact;
        cursor.insertText(piece);
        done = end;
        // A fill that will take long shows how far it got. It is painted at
        // once, without running the event loop: what the user does meanwhile
        // waits in the queue and happens afterwards.
        const qint64 elapsed = clock.elapsed();
        if (!progress && done < text.size() && elapsed > 100 &&
            elapsed * text.size() / done > 500) {
            progress = std::make_unique<QProgressBar>(this);
            progress->setRange(0, 1000);
            const QRect area = viewport()->geometry();
            const int height = std::min(area.height(), progress->sizeHint().height());
            progress->setGeometry(area.left(), area.bottom() + 1 - height, area.width(), height);
            progress->setAutoFillBackground(true);
            progress->show();
        }
        if (progress) {
            progress->setValue(static_cast<int>(done * 1000 / text.size()));
            progress->repaint();
        }
    }
    return exact;
}

void TextBox::keepShownText() {
    if (!m_shownKept) {
        m_shown = document()->toRawText();
        m_shownKept = true;
    }
}

void TextBox::recordChange(int position, int removed, int added) {
    if (m_setting)
        return;
    m_text.reset();
    const int length = document()->characterCount() - 1;
    // The reported change may reach over the document's final paragraph
    // end, which is not part of the text.
    removed = static_cast<int>(std::min<qsizetype>(removed, m_shown.size() - position));
    added = length - static_cast<int>(m_shown.size()) + removed;
    if (!m_shownKept || position < 0 || removed < 0 || added < 0 || position + added > length) {
        // An edit that did not come from the user: nothing to undo.
        m_shownKept = false;
        keepShownText();
        m_undo.reset();
        m_redo.reset();
        return;
    }
    QTextCursor inserted(document());
    inserted.setPosition(position);
    inserted.setPosition(position + added, QTextCursor::KeepAnchor);
    const QString after = inserted.selectedText();
    QString before = m_shown.mid(position, removed);
    // A change of format alone is reported as a change of the text.
    if (before == after)
        return;
    m_shown.replace(position, removed, after);
    if (m_replaying)
        return;
    m_redo.reset();
    const bool pasting = m_pasteChanges >= 0;
    const bool typed = m_inKeyPress && !pasting && removed == 0 && added == 1;
    if (m_undo && removed == 0 && position == m_undo->position + m_undo->afterLength &&
        (pasting ? m_pasteChanges > 0 : typed && m_undo->typed)) {
        m_undo->afterLength += added;
        return;
    }
    m_undo = Edit{position, std::move(before), added, typed};
    if (pasting)
        ++m_pasteChanges;
}

void TextBox::replay(std::optional<Edit> &from, std::optional<Edit> &to) {
    if (!from)
        return;
    const Edit edit = *std::exchange(from, std::nullopt);
    QTextCursor cursor(document());
    cursor.setPosition(edit.position);
    cursor.setPosition(edit.position + edit.afterLength, QTextCursor::KeepAnchor);
    to = Edit{edit.position, m_shown.mid(edit.position, edit.afterLength),
              static_cast<int>(edit.before.size()), false};
    m_replaying = true;
    cursor.removeSelectedText();
    cursor.insertText(edit.before);
    m_replaying = false;
    setTextCursor(cursor);
}

void TextBox::undoLastEdit() {
    replay(m_undo, m_redo);
}

void TextBox::redoLastEdit() {
    replay(m_redo, m_undo);
}

void TextBox::updateBlinking() {
    QStyleHints *hints = QGuiApplication::styleHints();
    const bool steady =
        hasFocus() && textCursor().block().length() > kBlinkingLineLimit && isVisible();
    if (steady && m_savedFlashTime < 0) {
        m_savedFlashTime = hints->cursorFlashTime();
        hints->setCursorFlashTime(0);
    } else if (!steady && m_savedFlashTime >= 0) {
        hints->setCursorFlashTime(std::exchange(m_savedFlashTime, -1));
    }
}

bool TextBox::event(QEvent *event) {
    // What the user does may edit the text: from here on the box keeps the
    // document's text.
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::InputMethod)
        keepShownText();
    return QPlainTextEdit::event(event);
}

bool TextBox::viewportEvent(QEvent *event) {
    if (event->type() == QEvent::Drop || event->type() == QEvent::MouseButtonRelease ||
        event->type() == QEvent::ContextMenu)
        keepShownText();
    return QPlainTextEdit::viewportEvent(event);
}

void TextBox::focusInEvent(QFocusEvent *event) {
    // Only the box with the focus shows a caret, so the application's caret
    // blink is this box's while it has the focus.
    updateBlinking();
    QPlainTextEdit::focusInEvent(event);
}

void TextBox::focusOutEvent(QFocusEvent *event) {
    QPlainTextEdit::focusOutEvent(event);
    updateBlinking();
}

void TextBox::showEvent(QShowEvent *event) {
    if (m_textPending)
        fill(QStringView(*m_text));
    QPlainTextEdit::showEvent(event);
}

void TextBox::setKeyDownHandler(KeyDownHandler handler) {
    m_keyDown = std::move(handler);
}

void TextBox::keyPressEvent(QKeyEvent *event) {
    if (m_keyDown) {
        if (m_repeats.isStale(*event))
            return;
        const int keyCode = keyCodeOf(*event);
        const int shift = shiftStateOf(*event);
        QPointer<TextBox> self(this);
        QElapsedTimer busy;
        busy.start();
        EventDispatch::run([&] { m_keyDown(keyCode, shift); });
        if (!self || EventDispatch::programEnded())
            return;
        m_repeats.handled(*event, busy.elapsed());
    }
    if (event->matches(QKeySequence::Undo)) {
        undoLastEdit();
    } else if (event->matches(QKeySequence::Redo)) {
        redoLastEdit();
    } else {
        m_inKeyPress = true;
        QPlainTextEdit::keyPressEvent(event);
        m_inKeyPress = false;
    }
}

void TextBox::contextMenuEvent(QContextMenuEvent *event) {
    QMenu *menu = createStandardContextMenu(event->pos());
    const auto reroute = [&](const char *name, bool enabled, void (TextBox::*handler)()) {
        if (auto *action = menu->findChild<QAction *>(QLatin1String(name))) {
            action->setEnabled(enabled);
            disconnect(action, &QAction::triggered, nullptr, nullptr);
            connect(action, &QAction::triggered, this, handler);
        }
    };
    reroute("edit-undo", m_undo.has_value(), &TextBox::undoLastEdit);
    reroute("edit-redo", m_redo.has_value(), &TextBox::redoLastEdit);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void TextBox::insertFromMimeData(const QMimeData *source) {
    if (!source->hasText())
        return;
    QString text = source->text();
    text.remove(QChar(u'\0'));
    QTextCursor cursor = textCursor();
    // The paste is one edit for undo, however many pieces it goes in.
    m_pasteChanges = 0;
    cursor.removeSelectedText();
    insertText(cursor, QStringView(text));
    m_pasteChanges = -1;
    setTextCursor(cursor);
}

} // namespace glyphmill
