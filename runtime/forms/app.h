#pragma once

#include <QString>

namespace glyphmill {

// Facts about the running program.
class App {
  public:
    // The directory of the program's executable, links resolved, with no
    // separator at the end (unless it is the root).
    static QString Path();
};

} // namespace glyphmill
