#pragma once

#include "runtime/forms/form.h"

namespace glyphmill {

// A form whose controls are the members of `Controls`: pointers, null while
// the window is not loaded, by the names the form's code uses. Unloading
// forgets them all at once, so a control added later cannot be left
// pointing at a window that is gone.
template <typename Controls> class FormOf : public Form, protected Controls {
  protected:
    using Form::Form;

    void releaseControls() final { static_cast<Controls &>(*this) = Controls{}; }
};

} // namespace glyphmill
