#pragma once

#include <QList>
#include <QPointer>
#include <QRect>
#include <QTextDocument>

#include <memory>

class QPlainTextEdit;

namespace glyphmill {

// Where a plain text box shows each character, as screen readers ask for it:
// once for every character of a range, however long. Only the characters
// the box has laid out on the screen have extents; every other one has an
// empty rectangle, found at the cost of one comparison. Nothing is laid out
// for them.
class TextBoxExtents {
  public:
    explicit TextBoxExtents(QPlainTextEdit *box);

    // In screen coordinates.
    QRect characterRect(int offset) const;

  private:
    void watchDocument() const;
    void update() const;
    void layOutShown() const;
    void layOutLines() const;

    QPlainTextEdit *m_box;
    // Counts what moves the box's characters on the screen: edits, layout,
    // scrolling. Shared with the connections, which may outlive this.
    std::shared_ptr<quint64> m_changes = std::make_shared<quint64>(0);
    mutable QPointer<QTextDocument> m_watched;
    // The extents of the characters shown, relative to the viewport, from
    // the first one shown on, as of m_changes' count.
    struct Shown {
        quint64 changes = ~quint64{0};
        int first = 0;
        QList<QRect> rects;
    };
    mutable Shown m_shown;
};

} // namespace glyphmill
