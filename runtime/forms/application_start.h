#pragma once

#include <memory>

class QApplication;

namespace glyphmill {

// Creates the application object. Where no display can be opened (no
// DISPLAY, a display that refuses the connection) Qt would end the program
// with a fatal error, an abort and a core file; instead the program says so
// on one line of standard error and leaves with status 1. Qt's messages from
// the start are passed on once it has succeeded.
class ApplicationStart {
  public:
    static std::unique_ptr<QApplication> open(int &argc, char **argv);
};

} // namespace glyphmill
