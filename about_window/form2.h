#pragma once

#include "runtime/form.h"

namespace glyphmill {

class Timer;

// The About window.
class Form2 : public Form {
public:
    Form2();

    Timer &Timer1();

protected:
    void createControls(FormWindow &window) override;
    void releaseControls() override;

private:
    Timer *m_timer1 = nullptr;
};

} // namespace glyphmill
