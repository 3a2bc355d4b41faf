#include "runtime/forms/text_cuts.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <optional>

namespace glyphmill {
namespace {

constexpr int kGoesOnProperty = QTextFormat::UserProperty + 1;

// Kept beside a document: its cuts, until it changes.
class KeptCuts : public QObject {
  public:
    static constexpr const char16_t *kName = u"glyphmill-kept-cuts";

    explicit KeptCuts(QTextDocument *document)
        : QObject(document) {
        setObjectName(QString::fromUtf16(kName));
        connect(document, &QTextDocument::contentsChange, this, [this] { m_cuts.reset(); });
    }

    const TextCuts &cuts(const QTextDocument &document) {
        // A document without a layout reports no changes: the count of
        // blocks tells of most of them.
        if (m_cuts && m_blocks == document.blockCount())
            return *m_cuts;
        m_blocks = document.blockCount();
        return m_cuts.emplace(document);
    }

  private:
    std::optional<TextCuts> m_cuts;
    int m_blocks = 0;
};

} // namespace

const TextCuts &TextCuts::of(const QTextDocument &document) {
    auto *kept = dynamic_cast<KeptCuts *>(document.findChild<QObject *>(
        QString::fromUtf16(KeptCuts::kName), Qt::FindDirectChildrenOnly));
    if (!kept)
        kept = new KeptCuts(const_cast<QTextDocument *>(&document));
    return kept->cuts(document);
}

QTextBlockFormat TextCuts::blockAfterCut() {
    QTextBlockFormat format;
    format.setProperty(kGoesOnProperty, true);
    return format;
}

bool TextCuts::followsCut(const QTextBlock &block) {
    return block.blockFormat().boolProperty(kGoesOnProperty);
}

TextCuts::TextCuts(const QTextDocument &document) {
    for (QTextBlock block = document.begin().next(); block.isValid(); block = block.next()) {
        if (followsCut(block))
            m_positions.push_back(block.position() - 1);
    }
}

int TextCuts::offsetOf(int position) const {
    return position -
           static_cast<int>(std::lower_bound(m_positions.begin(), m_positions.end(), position) -
                            m_positions.begin());
}

int TextCuts::positionOf(int offset) const {
    // The i-th cut stands at offset m_positions[i] - i of the text.
    int low = 0;
    int high = count();
    while (low < high) {
        const int middle = (low + high) / 2;
        if (m_positions[static_cast<size_t>(middle)] - middle <= offset)
            low = middle + 1;
        else
            high = middle;
    }
    return offset + low;
}

QString TextCuts::heldText(const QTextDocument &document, int from, int to) {
    QTextCursor cursor(const_cast<QTextDocument *>(&document));
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    QString held = cursor.selectedText();
    for (QTextBlock block = document.findBlock(from).next();
         block.isValid() && block.position() - 1 < to; block = block.next()) {
        if (block.position() - 1 >= from && followsCut(block))
            held[block.position() - 1 - from] = QChar(kMark);
    }
    return held;
}

QString TextCuts::heldText(const QTextDocument &document) {
    return heldText(document, 0, document.characterCount() - 1);
}

void TextCuts::insertHeld(QTextCursor &cursor, QStringView held) {
    qsizetype start = 0;
    for (qsizetype at = 0; at < held.size(); ++at) {
        const char16_t c = held[at].unicode();
        if (c != kMark && c != QChar::ParagraphSeparator)
            continue;
        if (at > start)
            cursor.insertText(QString::fromRawData(held.data() + start, at - start));
        cursor.insertBlock(c == kMark ? blockAfterCut() : QTextBlockFormat());
        start = at + 1;
    }
    if (start < held.size())
        cursor.insertText(QString::fromRawData(held.data() + start, held.size() - start));
}

bool TextCuts::onlyCuts(const QTextDocument &document, int from, int to) {
    for (int at = from; at < to; ++at) {
        const QTextBlock block = document.findBlock(at + 1);
        if (block.position() != at + 1 || !followsCut(block))
            return false;
    }
    return true;
}

bool TextCuts::inWordAtCut(const QTextDocument &document, int position) {
    const QTextBlock block = document.findBlock(position);
    int cut = -1;
    if (position == block.position() && followsCut(block))
        cut = position - 1;
    else if (position == block.position() + block.length() - 1 && block.next().isValid() &&
             followsCut(block.next()))
        cut = position;
    return cut > 0 && document.characterAt(cut - 1).isLetterOrNumber() &&
           document.characterAt(cut + 1).isLetterOrNumber();
}

} // namespace glyphmill
