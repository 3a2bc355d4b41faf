#include "about_window/form2.h"

#include "runtime/timer.h"

namespace glyphmill {

Form2::Form2()
    : Form(QStringLiteral("Form2"))
{
}

Timer &Form2::Timer1()
{
    window();
    return *m_timer1;
}

void Form2::createControls(FormWindow &window)
{
    window.setWindowTitle(QStringLiteral("Form2"));
    window.setClientSize(3390, 2115);
    m_timer1 = new Timer(200, &window);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
}

void Form2::releaseControls()
{
    m_timer1 = nullptr;
}

} // namespace glyphmill
