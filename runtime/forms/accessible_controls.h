#pragma once

namespace glyphmill {

// What assistive technology sees of the controls where Qt's own view would
// mislead: an option button is always a radio button, and a frame or picture
// box is a group of the controls it holds (Qt would call it a frame, the word
// screen readers use for a window); a multi-line text box reads its line
// breaks as "\n" and answers in bounded time and size, and so do the
// reports of its edits.
class AccessibleControls {
  public:
    // Registers the views with Qt; later calls do nothing.
    static void install();
};

} // namespace glyphmill
