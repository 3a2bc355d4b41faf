#pragma once

namespace glyphmill {

// Stops the application's caret blink while a box holding a huge line has
// the focus: every blink draws the caret's line again, which keeps an idle
// window busy in proportion to the line's length (`window_bench idle MB`
// measures it). The caret stays lit instead. Only the box with the focus
// shows a caret, so the blink is that box's to stop; it comes back when the
// box lets go or goes.
class SteadyCaret {
  public:
    // A line longer than this is huge.
    static constexpr int kLineLimit = 100'000;

    SteadyCaret() = default;
    SteadyCaret(const SteadyCaret &) = delete;
    SteadyCaret &operator=(const SteadyCaret &) = delete;
    ~SteadyCaret();

    void setSteady(bool steady);

  private:
    // The application's caret blink, while this stops it.
    int m_savedFlashTime = -1;
};

} // namespace glyphmill
