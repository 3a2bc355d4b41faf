#include "tests/window_fixture/test_data_folders.h"

#include <QDir>
#include <QFile>

namespace glyphmill::test {

TestDataFolders::TestDataFolders(const QString &root)
    : m_root(root) {
    qputenv("XDG_DATA_HOME", QDir(root).filePath("user").toLocal8Bit());
    qputenv("XDG_DATA_DIRS", QDir(root).filePath("system").toLocal8Bit());
    qputenv("HOME", QDir(root).filePath("home").toLocal8Bit());
}

TestDataFolders::~TestDataFolders() = default;

bool TestDataFolders::namedByEnvironment() {
    return true;
}

bool TestDataFolders::nameRelatively() {
    for (const char *name : {"XDG_DATA_HOME", "XDG_DATA_DIRS"})
        qputenv(name, QDir().relativeFilePath(qEnvironmentVariable(name)).toLocal8Bit());
    return QDir().mkpath(QDir::home().filePath(".local")) &&
           QFile::link(QDir(m_root).filePath("system"), QDir::home().filePath(".local/share"));
}

// Reading the process's own memory from offset 0 fails.
bool TestDataFolders::makeUnreadable(const QString &path) {
    return QFile::link(QStringLiteral("/proc/self/mem"), path);
}

} // namespace glyphmill::test
