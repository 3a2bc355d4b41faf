#pragma once

#include <QString>

namespace glyphmill {

// Facts about the running program.
class App {
  public:
    // The directory of the program's executable, links resolved, with no
    // separator at the end (unless it is the root).
    static QString Path();

    // Tests point the program's directory at a folder of their own; an empty
    // text goes back to the executable's directory.
    static void setPathForTests(const QString &path);

  private:
    static QString s_pathForTests;
};

} // namespace glyphmill
