#include "runtime/forms/frame.h"

namespace glyphmill {

Frame::Frame(QWidget *parent)
    : QFrame(parent) {
    setFrameStyle(QFrame::Box | QFrame::Sunken);
}

} // namespace glyphmill
