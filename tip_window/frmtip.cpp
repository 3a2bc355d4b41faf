#include "tip_window/frmtip.h"

namespace glyphmill {

frmTip::frmTip()
    : Form(QStringLiteral("frmTip"))
{
}

void frmTip::createControls(FormWindow &window)
{
    window.setWindowTitle(QStringLiteral("Tip of the Day"));
    window.setClientSize(5415, 3000);
}

void frmTip::releaseControls() {}

} // namespace glyphmill
