#include "runtime/forms/data_folders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace glyphmill {

QString DataFolders::locate(const QString &path) {
    QStringList folders = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    // Qt 6.4 ignores a relative entry of XDG_DATA_DIRS but takes a relative
    // XDG_DATA_HOME, the first folder, as it is.
    if (!folders.isEmpty() && QDir::isRelativePath(folders.front()))
        folders.front() = QDir::home().filePath(QStringLiteral(".local/share"));
    for (const QString &folder : std::as_const(folders)) {
        const QString file = QDir(folder).filePath(path);
        if (QFileInfo::exists(file))
            return file;
    }
    return {};
}

} // namespace glyphmill
