#include "line_input.h"
#include "runtime_error.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <stdexcept>
#include <vector>

namespace glyphmill {
namespace {

namespace fs = std::filesystem;

// A folder of its own for each test, removed afterwards.
class TipsFolder {
  public:
    TipsFolder() {
        static int count = 0;
        m_path = fs::temp_directory_path() /
                 ("glyphmill-tips-" + std::to_string(::getpid()) + "-" + std::to_string(++count));
        fs::create_directories(m_path);
    }
    ~TipsFolder() {
        std::error_code ignored;
        fs::permissions(m_path / "help.cfg", fs::perms::owner_all, ignored);
        fs::remove_all(m_path, ignored);
    }
    TipsFolder(const TipsFolder &) = delete;
    TipsFolder &operator=(const TipsFolder &) = delete;

    fs::path write(const std::string &bytes) const {
        const fs::path file = m_path / "help.cfg";
        std::ofstream(file, std::ios::binary) << bytes;
        return file;
    }
    fs::path file() const { return m_path / "help.cfg"; }

  private:
    fs::path m_path;
};

std::vector<std::u16string> allLines(LineInput &input) {
    std::vector<std::u16string> lines;
    while (!input.atEnd())
        lines.push_back(input.readLine());
    return lines;
}

struct LineCase {
    const char *name;
    std::string bytes;
    std::vector<std::u16string> lines;
};

class TipsLineEnds : public ::testing::TestWithParam<LineCase> {};

TEST_P(TipsLineEnds, FileGivesTheLinesWithoutTheirEnds) {
    const TipsFolder folder;
    LineInput input;
    ASSERT_TRUE(input.open(folder.write(GetParam().bytes)));
    EXPECT_EQ(allLines(input), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, TipsLineEnds,
    ::testing::Values(LineCase{"LineFeed", "one\ntwo\n", {u"one", u"two"}},
                      LineCase{"CarriageReturnLineFeed", "one\r\ntwo\r\n", {u"one", u"two"}},
                      LineCase{"CarriageReturn", "one\rtwo\r", {u"one", u"two"}},
                      LineCase{"AllThreeMixed", "a\r\nb\nc\rd", {u"a", u"b", u"c", u"d"}},
                      LineCase{"NoEndAfterLastLine", "one\ntwo", {u"one", u"two"}},
                      LineCase{"EmptyFile", "", {}}, LineCase{"OnlyALineEnd", "\n", {u""}},
                      LineCase{"OnlyAPair", "\r\n", {u""}},
                      LineCase{"EmptyLinesAreLines", "\n\nx\n\n", {u"", u"", u"x", u""}},
                      LineCase{"LineFeedThenCarriageReturnIsTwoEnds", "a\n\rb", {u"a", u"", u"b"}},
                      LineCase{"CarriageReturnBeforeAPair", "a\r\r\nb", {u"a", u"", u"b"}},
                      LineCase{"CarriageReturnAtTheVeryEnd", "a\r", {u"a"}},
                      LineCase{"SpacesAndTabsKept", " a\t \n", {u" a\t "}},
                      LineCase{"Utf8Line", "\xE2\x82\xAC 5\n", {u"\u20AC 5"}},
                      LineCase{"Windows1252Line", "\x80 5\r\n", {u"\u20AC 5"}}),
    [](const ::testing::TestParamInfo<LineCase> &info) { return info.param.name; });

TEST(TipsLineInput, ReadingPastTheEndRaisesInputPastEndOfFile) {
    LineInput input;
    input.openText(u"only\n");
    EXPECT_EQ(input.readLine(), u"only");
    ASSERT_TRUE(input.atEnd());
    try {
        input.readLine();
        FAIL() << "no error";
    } catch (const RuntimeError &error) {
        EXPECT_EQ(error.number(), 62);
        EXPECT_EQ(error.description(), "Input past end of file");
    }
}

TEST(TipsLineInput, ReadsAFileLargerThanOneReadWhole) {
    const TipsFolder folder;
    std::string bytes;
    for (int i = 0; i < 30000; ++i)
        bytes += "tip " + std::to_string(i) + "\n";
    ASSERT_GT(bytes.size(), 65536U * 3);
    LineInput input;
    ASSERT_TRUE(input.open(folder.write(bytes)));
    const std::vector<std::u16string> lines = allLines(input);
    ASSERT_EQ(lines.size(), 30000U);
    EXPECT_EQ(lines.front(), u"tip 0");
    EXPECT_EQ(lines.back(), u"tip 29999");
}

TEST(TipsLineInput, OpeningAgainStartsOverWithTheNewFile) {
    const TipsFolder folder;
    LineInput input;
    ASSERT_TRUE(input.open(folder.write("a\nb\n")));
    EXPECT_EQ(input.readLine(), u"a");
    ASSERT_TRUE(input.open(folder.write("c\n")));
    EXPECT_EQ(allLines(input), std::vector<std::u16string>{u"c"});
}

TEST(TipsLineInput, ClosedInputIsAtItsEnd) {
    const TipsFolder folder;
    LineInput input;
    ASSERT_TRUE(input.open(folder.write("a\n")));
    input.close();
    EXPECT_TRUE(input.atEnd());
}

TEST(TipsUnreadableFile, MissingFileDoesNotOpen) {
    const TipsFolder folder;
    LineInput input;
    EXPECT_FALSE(input.open(folder.file()));
    EXPECT_TRUE(input.atEnd());
}

TEST(TipsUnreadableFile, EmptyNameDoesNotOpen) {
    LineInput input;
    EXPECT_FALSE(input.open(fs::path()));
}

TEST(TipsUnreadableFile, FolderOfThatNameDoesNotOpen) {
    const TipsFolder folder;
    fs::create_directory(folder.file());
    LineInput input;
    EXPECT_FALSE(input.open(folder.file()));
}

TEST(TipsUnreadableFile, LinkToNothingDoesNotOpen) {
    const TipsFolder folder;
    fs::create_symlink(folder.file().parent_path() / "gone", folder.file());
    LineInput input;
    EXPECT_FALSE(input.open(folder.file()));
}

TEST(TipsUnreadableFile, LinkToAFileOpensThatFile) {
    const TipsFolder folder;
    const fs::path real = folder.file().parent_path() / "real.txt";
    std::ofstream(real) << "linked\n";
    fs::create_symlink(real, folder.file());
    LineInput input;
    ASSERT_TRUE(input.open(folder.file()));
    EXPECT_EQ(input.readLine(), u"linked");
}

TEST(TipsUnreadableFile, PipeOfThatNameDoesNotOpenNorWait) {
    const TipsFolder folder;
    ASSERT_EQ(::mkfifo(folder.file().c_str(), 0600), 0);
    LineInput input;
    EXPECT_FALSE(input.open(folder.file()));
}

TEST(TipsUnreadableFile, ReadErrorDoesNotOpen) {
    // The process's own memory reads as a regular file whose first page
    // fails with an input/output error.
    const TipsFolder folder;
    fs::create_symlink("/proc/self/mem", folder.file());
    ASSERT_TRUE(fs::is_regular_file(folder.file()));
    LineInput input;
    EXPECT_FALSE(input.open(folder.file()));
    EXPECT_TRUE(input.atEnd());
}

// Whether a user without rights to the file can open it; the super-user
// reads any file, so then a child process asks as an ordinary user.
bool opensWithoutReadPermission(const fs::path &file) {
    if (::geteuid() != 0)
        return LineInput().open(file);
    const pid_t child = ::fork();
    if (child == 0) {
        constexpr uid_t kNobody = 65534;
        if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
            ::_exit(2);
        ::_exit(LineInput().open(file) ? 1 : 0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) == 2)
        throw std::runtime_error("could not ask as an ordinary user");
    return WEXITSTATUS(status) == 1;
}

TEST(TipsUnreadableFile, FileWithoutReadPermissionDoesNotOpen) {
    const TipsFolder folder;
    folder.write("secret\n");
    fs::permissions(folder.file(), fs::perms::none);
    EXPECT_FALSE(opensWithoutReadPermission(folder.file()));
}

} // namespace
} // namespace glyphmill
