#include "tests/window_fixture/test_data_folders.h"

#include <QDir>
#include <QSettings>

#include <windows.h>

namespace glyphmill::test {
namespace {

// Names the user's (Local AppData) or the system's (Common AppData) data
// folder, or with no path lets it be found as before the test: Windows then
// takes the folder from "Shell Folders", which a test never changes.
void nameShellFolder(bool system, const QString &path) {
    QSettings folders(QStringLiteral("%1\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\"
                                     "User Shell Folders")
                          .arg(system ? "HKEY_LOCAL_MACHINE" : "HKEY_CURRENT_USER"),
                      QSettings::NativeFormat);
    const QString name =
        system ? QStringLiteral("Common AppData") : QStringLiteral("Local AppData");
    if (path.isEmpty())
        folders.remove(name);
    else
        folders.setValue(name, QDir::toNativeSeparators(path));
}

} // namespace

TestDataFolders::TestDataFolders(const QString &root)
    : m_root(root) {
    nameShellFolder(false, QDir(root).filePath("user"));
    nameShellFolder(true, QDir(root).filePath("system"));
}

TestDataFolders::~TestDataFolders() {
    if (m_lock)
        CloseHandle(m_lock);
    nameShellFolder(false, {});
    nameShellFolder(true, {});
}

bool TestDataFolders::namedByEnvironment() {
    return false;
}

bool TestDataFolders::nameRelatively() {
    return false;
}

// A file that another program holds open, sharing it with no one: it is
// there, but opening it to read fails.
bool TestDataFolders::makeUnreadable(const QString &path) {
    m_lock = CreateFileW(reinterpret_cast<const wchar_t *>(path.utf16()), GENERIC_WRITE, 0, nullptr,
                         CREATE_ALWAYS, 0, nullptr);
    if (m_lock == INVALID_HANDLE_VALUE)
        m_lock = nullptr;
    DWORD written = 0;
    return m_lock && WriteFile(m_lock, "held\n", 5, &written, nullptr);
}

} // namespace glyphmill::test
