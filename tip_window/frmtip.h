#pragma once

#include "runtime/form.h"

namespace glyphmill {

// The "Tip of the Day" window.
class frmTip : public Form {
public:
    frmTip();

protected:
    void createControls(FormWindow &window) override;
    void releaseControls() override;
};

} // namespace glyphmill
