#include "runtime/forms/text_box.h"

#include "runtime/forms/document_filler.h"
#include "runtime/forms/edit_keys.h"
#include "runtime/forms/event_dispatch.h"
#include "runtime/forms/key_code.h"
#include "runtime/forms/one_level_undo.h"
#include "runtime/forms/text_cuts.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QProgressBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <memory>
#include <utility>

namespace glyphmill {
namespace {

// A text up to this length is also kept as set or read, with its CR LF line
// breaks; a longer one is read from the document when asked for. 16M
// characters are 32 MiB; a 100M answer's peak was 348 MiB without a kept
// copy (AMD EPYC, window_bench convert 10 lines).
constexpr qsizetype kKeptText = qsizetype{1} << 24;

QString withoutNul(const QString &text) {
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    return nul < 0 ? text : text.left(nul);
}

} // namespace

TextBox::TextBox(QWidget *parent)
    : QPlainTextEdit(parent)
    , m_undo(new OneLevelUndo(document())) {
    setTabChangesFocus(true);
    // Break long lines anywhere: breaking at word boundaries first lays out a
    // long line without spaces (a run of digits) in quadratic time.
    setWordWrapMode(QTextOption::WrapAnywhere);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    document()->setUndoRedoEnabled(false);
    // An edit makes the text as set stale; the fill of that text does not.
    connect(document(), &QTextDocument::contentsChange, this, [this] {
        if (!m_textPending)
            m_text.reset();
    });
}

TextBox::~TextBox() = default;

QString TextBox::Text() const {
    if (m_text)
        return *m_text;
    QString text = DocumentFiller::textOf(TextCuts::heldText(*document()));
    // Reading the input box again costs nothing; a huge answer is not kept
    // twice.
    if (text.size() <= kKeptText)
        m_text = text;
    return text;
}

void TextBox::SetText(const QString &text) {
    m_text = withoutNul(text);
    m_textPending = true;
    m_undo->forget();
    if (isVisible())
        fill(QStringView(*m_text));
}

void TextBox::SetText(QLatin1StringView text) {
    const qsizetype nul = text.indexOf(QLatin1Char('\0'));
    if (nul >= 0)
        text.truncate(nul);
    if (!isVisible())
        return SetText(QString(text));
    m_text.reset();
    fill(text);
}

template <typename View> void TextBox::fill(View text) {
    m_undo->forget();
    m_textPending = true;
    document()->setPlainText(QString());
    QTextCursor cursor(document());
    std::vector<int> lineCounts;
    const bool exact = insertText(cursor, text, lineCounts);
    DocumentFiller::setLineCounts(*document(), 0, lineCounts);
    m_textPending = false;
    // The caret goes to the start, as after any new text.
    setTextCursor(QTextCursor(document()));
    if (exact && text.size() > kKeptText)
        m_text.reset();
    else if (!m_text)
        m_text = text.toString();
}

LineMeasure TextBox::measure() const {
    // The box lays its lines out as wide as its viewport, less the margins.
    const double width = viewport()->width() - 2 * document()->documentMargin();
    if (!isVisible() || width <= 0)
        return {};
    // Measured for the viewport, as the box lays out: on Windows a font's
    // sizes differ by device.
    return {width, [metrics = QFontMetricsF(document()->defaultFont(), viewport())](QChar c) {
                return metrics.horizontalAdvance(c);
            }};
}

template <typename View>
bool TextBox::insertText(QTextCursor &cursor, View text, std::vector<int> &lineCounts) {
    std::unique_ptr<QProgressBar> progress;
    // The progress is painted at once, without running the event loop: what
    // the user does meanwhile waits in the queue and happens afterwards.
    DocumentFiller filler(measure(), [&](qsizetype done, qsizetype total) {
        if (!progress) {
            progress = std::make_unique<QProgressBar>(this);
            progress->setRange(0, 1000);
            const QRect area = viewport()->geometry();
            const int height = std::min(area.height(), progress->sizeHint().height());
            progress->setGeometry(area.left(), area.bottom() + 1 - height, area.width(), height);
            progress->setAutoFillBackground(true);
            progress->show();
        }
        progress->setValue(static_cast<int>(done * 1000 / total));
        progress->repaint();
    });
    const bool exact = filler.insert(cursor, text);
    lineCounts = filler.lineCounts();
    return exact;
}

void TextBox::undoLastEdit() {
    placeCaret(m_undo->undo());
}

void TextBox::redoLastEdit() {
    placeCaret(m_undo->redo());
}

void TextBox::placeCaret(std::optional<int> position) {
    if (position) {
        QTextCursor cursor(document());
        cursor.setPosition(*position);
        setTextCursor(cursor);
    }
}

bool TextBox::event(QEvent *event) {
    // The user's edit: undo reads first what it may remove.
    std::optional<OneLevelUndo::EditScope> edit;
    if (event->type() == QEvent::KeyPress && EditKeys::mayEdit(*static_cast<QKeyEvent *>(event)))
        edit.emplace(*m_undo, textCursor(), *static_cast<QKeyEvent *>(event));
    else if (event->type() == QEvent::InputMethod)
        edit.emplace(*m_undo, textCursor(), *static_cast<QInputMethodEvent *>(event));
    return QPlainTextEdit::event(event);
}

bool TextBox::viewportEvent(QEvent *event) {
    // A drop, which may move the selection, or a middle click that pastes.
    std::optional<OneLevelUndo::EditScope> edit;
    if (event->type() == QEvent::Drop ||
        (event->type() == QEvent::MouseButtonRelease &&
         static_cast<QMouseEvent *>(event)->button() == Qt::MiddleButton)) {
        const QPointF at = event->type() == QEvent::Drop
                               ? static_cast<QDropEvent *>(event)->position()
                               : static_cast<QMouseEvent *>(event)->position();
        const int position = cursorForPosition(at.toPoint()).position();
        edit.emplace(*m_undo, textCursor(), position);
    }
    return QPlainTextEdit::viewportEvent(event);
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
    } else if (EditKeys::isRedo(*event)) {
        redoLastEdit();
    } else {
        m_undo->setTyping(true);
        // The widget would take a typed U+2028 as a line break, and no
        // stand-in from a key (they are noncharacters).
        if (DocumentFiller::holdsAsIs(event->text()))
            editByKey(event);
        else
            putIn(withoutNul(event->text()));
        m_undo->setTyping(false);
    }
}

void TextBox::editByKey(QKeyEvent *event) {
    QTextCursor caret = textCursor();
    const QTextBlock block = caret.block();
    if (!caret.hasSelection()) {
        // Backspace takes the character before a cut, Delete the one after
        // it; the widget would take the cut alone, which shows nothing.
        const auto skipCuts = [&](bool forward) {
            const int start = caret.position();
            while (forward ? caret.atBlockEnd() && caret.block().next().isValid() &&
                                 TextCuts::followsCut(caret.block().next())
                           : caret.atBlockStart() && TextCuts::followsCut(caret.block()))
                caret.setPosition(caret.position() + (forward ? 1 : -1));
            if (caret.position() != start)
                setTextCursor(caret);
        };
        if (event->key() == Qt::Key_Backspace)
            skipCuts(false);
        else if (event->matches(QKeySequence::Delete))
            skipCuts(true);
    }
    // Enter in a line that goes on after a cut starts a line of its own.
    const bool enter = event->matches(QKeySequence::InsertParagraphSeparator);
    if ((enter && TextCuts::followsCut(block)) ||
        block.length() + event->text().size() > BlockCutter::kBlockLength) {
        return cutAfter([&] {
            QPlainTextEdit::keyPressEvent(event);
            QTextCursor line = textCursor();
            if (enter && TextCuts::followsCut(line.block()))
                line.setBlockFormat(QTextBlockFormat());
        });
    }
    int before = caret.position();
    QPlainTextEdit::keyPressEvent(event);
    // A move that crossed only cuts has not moved in the text, and a word
    // goes on across a cut: on over them.
    if (!EditKeys::movesCaret(*event))
        return;
    const bool words = EditKeys::movesByWord(*event);
    for (int after = textCursor().position(); after != before; after = textCursor().position()) {
        if (!TextCuts::onlyCuts(*document(), std::min(before, after), std::max(before, after)) &&
            !(words && TextCuts::inWordAtCut(*document(), after)))
            break;
        before = after;
        QPlainTextEdit::keyPressEvent(event);
    }
}

template <typename Edit> void TextBox::cutAfter(Edit edit) {
    // One edit for undo: the cut goes with what made the block long.
    QTextCursor whole(document());
    whole.beginEditBlock();
    edit();
    const int block = textCursor().blockNumber();
    QTextCursor cutter(document());
    const std::vector<int> lineCounts = DocumentFiller::cutAgain(cutter, block, measure());
    whole.endEditBlock();
    DocumentFiller::setLineCounts(*document(), block, lineCounts);
    ensureCursorVisible();
}

void TextBox::inputMethodEvent(QInputMethodEvent *event) {
    // A screen reader may hand over a text padded with code 0 (AT-SPI
    // insertText with a length beyond its text): only the part before it
    // goes in, as with SetText.
    // Line ends go in as pasted ones do.
    const QString committed = event->commitString();
    if (DocumentFiller::holdsAsIs(committed) && !committed.contains(u'\r') &&
        !committed.contains(u'\n')) {
        if (textCursor().block().length() + committed.size() > BlockCutter::kBlockLength)
            return cutAfter([&] { QPlainTextEdit::inputMethodEvent(event); });
        return QPlainTextEdit::inputMethodEvent(event);
    }
    QInputMethodEvent rest(event->preeditString(), event->attributes());
    rest.setCommitString(QString(), event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&rest);
    putIn(withoutNul(committed));
}

void TextBox::contextMenuEvent(QContextMenuEvent *event) {
    auto *menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const auto add = [&](const QString &name, QKeySequence::StandardKey key, bool enabled,
                         auto handler) {
        const QString shortcut = QKeySequence(key).toString(QKeySequence::NativeText);
        QAction *action = menu->addAction(shortcut.isEmpty() ? name : name + u'\t' + shortcut);
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, handler);
    };
    const auto editing = [this](void (TextBox::*edit)()) {
        return [this, edit] {
            const OneLevelUndo::EditScope scope(*m_undo, textCursor(), textCursor().position());
            (this->*edit)();
        };
    };
    const bool selected = textCursor().hasSelection();
    add(tr("&Undo"), QKeySequence::Undo, m_undo->canUndo(), &TextBox::undoLastEdit);
    add(tr("&Redo"), QKeySequence::Redo, m_undo->canRedo(), &TextBox::redoLastEdit);
    menu->addSeparator();
    add(tr("Cu&t"), QKeySequence::Cut, selected, editing(&TextBox::cut));
    add(tr("&Copy"), QKeySequence::Copy, selected, &TextBox::copy);
    add(tr("&Paste"), QKeySequence::Paste, canPaste(), editing(&TextBox::paste));
    add(tr("Delete"), QKeySequence::UnknownKey, selected, editing(&TextBox::deleteSelection));
    menu->addSeparator();
    add(tr("Select All"), QKeySequence::SelectAll, !document()->isEmpty(), &TextBox::selectAll);
    menu->popup(event->globalPos());
}

void TextBox::deleteSelection() {
    textCursor().removeSelectedText();
}

QMimeData *TextBox::createMimeDataFromSelection() const {
    // The plain text alone: a rich copy of a large selection took half a
    // minute and gigabytes, and turned every no-break space into a space.
    const QTextCursor selection = textCursor();
    QString text =
        TextCuts::heldText(*document(), selection.selectionStart(), selection.selectionEnd());
    DocumentFiller::toCopiedText(text);
    auto *data = new QMimeData;
    data->setText(text);
    return data;
}

void TextBox::insertFromMimeData(const QMimeData *source) {
    if (!source->hasText())
        return;
    QString text = source->text();
    text.remove(QChar(u'\0'));
    putIn(text);
}

void TextBox::putIn(const QString &text) {
    QTextCursor cursor = textCursor();
    // The paste is one edit for undo, what it replaces included.
    m_undo->setTyping(false);
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    const int firstBlock = cursor.blockNumber();
    std::vector<int> filled;
    insertText(cursor, QStringView(text), filled);
    const int lastBlock = cursor.blockNumber();
    // The blocks at both ends also hold what was there: they may have grown
    // too long. The cuts are part of the paste's edit.
    QTextCursor cutter(document());
    std::vector<int> lineCounts = DocumentFiller::cutAgain(cutter, lastBlock, measure());
    if (lastBlock != firstBlock) {
        std::vector<int> first = DocumentFiller::cutAgain(cutter, firstBlock, measure());
        first.insert(first.end(), filled.begin() + 1, filled.end() - 1);
        lineCounts.insert(lineCounts.begin(), first.begin(), first.end());
    }
    cursor.endEditBlock();
    DocumentFiller::setLineCounts(*document(), firstBlock, lineCounts);
    setTextCursor(cursor);
}

} // namespace glyphmill
