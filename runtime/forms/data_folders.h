#pragma once

#include <QString>

namespace glyphmill {

// The folders that hold data files shared by programs: the user's, then the
// system's. On X11 desktops XDG_DATA_HOME and XDG_DATA_DIRS name them; a
// relative path there is ignored, and an XDG_DATA_HOME that is one counts as
// unset (~/.local/share), so that what is read never depends on the folder
// the program was started from.
class DataFolders {
  public:
    // The first existing file of that path under the data folders, in their
    // order; "" when there is none.
    static QString locate(const QString &path);
};

} // namespace glyphmill
