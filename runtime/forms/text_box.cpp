#include "text_box.h"

#include "event_dispatch.h"
#include "key_code.h"

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMimeData>
#include <QPointer>
#include <QTextCursor>
#include <QTextDocument>

namespace glyphmill {
namespace {

QString withoutNul(const QString &text) {
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    return nul < 0 ? text : text.left(nul);
}

} // namespace

TextBox::TextBox(QWidget *parent)
    : QPlainTextEdit(parent) {
    setTabChangesFocus(true);
    // Break long lines anywhere: breaking at word boundaries first lays out a
    // long line without spaces (a run of digits) in quadratic time.
    setWordWrapMode(QTextOption::WrapAnywhere);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    connect(document(), &QTextDocument::contentsChanged, this, &TextBox::markStale);
}

void TextBox::markStale() {
    if (!m_setting)
        m_stale = true;
}

QString TextBox::Text() const {
    if (m_stale) {
        // Blocks are joined by paragraph separators in the raw text, which
        // unlike the plain text also keeps non-breaking spaces as they are.
        m_text = document()->toRawText();
        m_text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
        m_stale = false;
    }
    return m_text;
}

void TextBox::SetText(const QString &text) {
    m_text = withoutNul(text);
    m_stale = false;
    m_textPending = true;
    if (isVisible())
        showText();
}

void TextBox::showText() {
    m_setting = true;
    // The document takes the text directly: the editor's own setPlainText
    // also gives every character the current format again, a second pass
    // over a large text that doubles the time the box needs. The caret goes
    // to the start, as with that call.
    document()->setPlainText(m_text);
    setTextCursor(QTextCursor(document()));
    m_textPending = false;
    m_setting = false;
}

void TextBox::showEvent(QShowEvent *event) {
    if (m_textPending)
        showText();
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
    QPlainTextEdit::keyPressEvent(event);
}

void TextBox::insertFromMimeData(const QMimeData *source) {
    if (!source->hasText())
        return;
    QString text = source->text();
    text.remove(QChar(u'\0'));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QChar(u'\r'), QChar(u'\n'));
    insertPlainText(text);
}

} // namespace glyphmill
