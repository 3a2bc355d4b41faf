#pragma once

#include <QTimer>

#include <functional>

namespace glyphmill {

// A form's timer: it ticks every Interval milliseconds while it is enabled
// and its form is loaded.
class Timer : public QTimer {
    Q_OBJECT
  public:
    Timer(int intervalMs, QObject *parent);

    void SetEnabled(bool enabled);
    void setTimerHandler(std::function<void()> handler);
    // Runs one tick's handler now, as the timer would.
    void tick();

  private:
    std::function<void()> m_handler;
};

} // namespace glyphmill
