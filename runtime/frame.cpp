#include "runtime/frame.h"

namespace glyphmill {

Frame::Frame(QWidget *parent)
    : QGroupBox(parent)
{
}

} // namespace glyphmill
