#pragma once

#include <QPushButton>

#include <functional>

namespace glyphmill {

// A command button. Setting its Value to true runs its Click handler at once,
// inside the handler that set it.
class CommandButton : public QPushButton {
    Q_OBJECT
  public:
    CommandButton(const QString &caption, QWidget *parent);

    void SetValue(bool pressed);
    void setClickHandler(std::function<void()> handler);

  private:
    std::function<void()> m_click;
};

} // namespace glyphmill
