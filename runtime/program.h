#pragma once

#include <QFont>
#include <QIcon>

class QApplication;

namespace glyphmill {

// The program's identity and the look shared by its windows.
class Program {
  public:
    // Name, version and icon of the application.
    static void configure(QApplication &app);
    static QIcon icon();
    // The default font of the windows' controls: a small sans-serif face.
    static QFont defaultFont();
};

} // namespace glyphmill
