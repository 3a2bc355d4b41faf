#pragma once

class QKeyEvent;

namespace glyphmill {

// What a key does to a text box, as the box must know before the widget
// handles it.
class EditKeys {
  public:
    // Ctrl+Y and Ctrl+Shift+Z both: some platforms bind only the second.
    static bool isRedo(const QKeyEvent &event);
    // Whether the key may change the text: only then is an edit announced to undo.
    static bool mayEdit(const QKeyEvent &event);
    static bool movesByWord(const QKeyEvent &event);
    // A move by one character or one word, selecting or not.
    static bool movesCaret(const QKeyEvent &event);
};

} // namespace glyphmill
