#pragma once

#include <QString>

namespace glyphmill::test {

// Points the folders where the window looks for data files (the user's, then
// the system's) at `root`/user and `root`/system for one test, and back after.
// On X11 desktops the environment names them; on Windows the registry's shell
// folders do.
class TestDataFolders {
  public:
    explicit TestDataFolders(const QString &root);
    ~TestDataFolders();
    TestDataFolders(const TestDataFolders &) = delete;
    TestDataFolders &operator=(const TestDataFolders &) = delete;

    // Whether the environment can name the folders, relatively too.
    static bool namedByEnvironment();
    // Names them relatively to the current folder; the home folder's own
    // data folder then holds what `root`/system holds.
    bool nameRelatively();
    // Makes `path` a file that is there but cannot be read, until the end of the test.
    bool makeUnreadable(const QString &path);

  private:
    QString m_root;
    void *m_lock = nullptr;
};

} // namespace glyphmill::test
