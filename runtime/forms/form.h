#pragma once

#include "runtime/forms/form_window.h"

#include <QPointer>
#include <QString>

namespace glyphmill {

// A form: a window with controls built from design values, and an instance
// whose module variables outlive the window. The first use loads the window;
// Unload destroys it, and the next use loads it again from its design values.
class Form {
  public:
    explicit Form(QString name);
    virtual ~Form();
    Form(const Form &) = delete;
    Form &operator=(const Form &) = delete;

    // Shows the form modeless, loading it first if needed, and brings it to
    // the front.
    void Show();
    void Unload();
    bool isLoaded() const { return !m_window.isNull(); }
    // The loaded window (loading it when it is not).
    FormWindow &window();

  protected:
    // Builds the window's controls from their design values.
    virtual void createControls(FormWindow &window) = 0;
    // Forgets the controls of a window that is going away.
    virtual void releaseControls() = 0;
    virtual void Form_Load() {}
    // The window system asks the window to close. By default it unloads.
    virtual void closeRequested() { Unload(); }

  private:
    void load();

    QString m_name;
    QPointer<FormWindow> m_window;
};

} // namespace glyphmill
