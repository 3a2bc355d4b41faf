#include "tests/window_fixture/test_data_folders.h"

#include <QDir>

#include <windows.h>

#include <array>
#include <string>

namespace glyphmill::test {
namespace {

constexpr const wchar_t *kShellFolders =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

// A shell folder's registry value, kept with its type so that a folder named
// through %USERPROFILE% is put back as it was.
struct ShellFolder {
    HKEY root;
    const wchar_t *name;
    const char *test;
    DWORD type;
    std::wstring value;
    bool present;
};

std::array<ShellFolder, 2> &shellFolders() {
    static std::array<ShellFolder, 2> folders{
        ShellFolder{HKEY_CURRENT_USER, L"Local AppData", "user", 0, {}, false},
        ShellFolder{HKEY_LOCAL_MACHINE, L"Common AppData", "system", 0, {}, false}};
    return folders;
}

void setValue(const ShellFolder &folder, DWORD type, const std::wstring &value) {
    RegSetKeyValueW(folder.root, kShellFolders, folder.name, type, value.c_str(),
                    DWORD((value.size() + 1) * sizeof(wchar_t)));
}

} // namespace

TestDataFolders::TestDataFolders(const QString &root)
    : m_root(root) {
    for (ShellFolder &folder : shellFolders()) {
        std::array<wchar_t, MAX_PATH> old{};
        DWORD size = sizeof old;
        folder.present = RegGetValueW(folder.root, kShellFolders, folder.name,
                                      RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND,
                                      &folder.type, old.data(), &size) == ERROR_SUCCESS;
        folder.value = old.data();
        setValue(folder, REG_SZ,
                 QDir::toNativeSeparators(QDir(root).filePath(folder.test)).toStdWString());
    }
}

TestDataFolders::~TestDataFolders() {
    if (m_lock)
        CloseHandle(m_lock);
    for (const ShellFolder &folder : shellFolders()) {
        if (folder.present)
            setValue(folder, folder.type, folder.value);
        else
            RegDeleteKeyValueW(folder.root, kShellFolders, folder.name);
    }
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
