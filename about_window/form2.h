#pragma once

#include "runtime/forms/form_of.h"

#include <array>

namespace glyphmill {

class Label;
class Timer;

struct Form2Controls {
    Timer *m_timer1 = nullptr;
    std::array<Label *, 4> m_label1{};
    std::array<Label *, 3> m_label2{};
    Label *Label3 = nullptr;
    Label *Label4 = nullptr;
};

// The About window: names the program and its author, flashes the contact
// line and closes itself when its countdown runs out. All of its state lives
// in label captions: Label3 (the colour to show next), Label4 (ticks since
// the countdown started) and Label1(3) (the countdown itself).
class Form2 : public FormOf<Form2Controls> {
  public:
    Form2();

    Timer &Timer1();
    // The control arrays, by index (loading the window if needed). Each
    // member's objectName is "Label1(3)" and its "Index" property the index.
    Label &Label1(int index);
    Label &Label2(int index);

    void Timer1_Timer();

  protected:
    void createControls(FormWindow &window) override;
    void closeRequested() override;

  private:
    // Stops the timer, puts the counters back and unloads the window.
    void endCountdown();
};

} // namespace glyphmill
