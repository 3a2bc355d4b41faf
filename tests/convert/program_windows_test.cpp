// glyphmill-convert as a process on Windows, started with the standard
// handles a console or a script gives it.
#include "tests/convert/program_rows.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include <windows.h>

#include <psapi.h>

namespace glyphmill::test {
namespace {

// Handles the program inherits, as a redirection in a console hands them over.
SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
HANDLE openForChild(const std::string &path, DWORD access, DWORD disposition) {
    return ::CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                         disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The program run as a console runs it, with its redirections as handles it
// inherits (a null input is a closed one): the rows every system shares (an
// input that is the output file itself is known by the file's identity,
// through whatever name or handle), an output handle not open for writing,
// and the peak memory, which a large input must not raise.
TEST(Convert, ProgramStatusBinaryStreamsOwnOutputFailedOutputAndMemory) {
    std::vector<ProgramRow> rows(std::begin(kProgramRows), std::end(kProgramRows));
    rows.push_back(
        {"text-to-binary", kLarge, "read-only", cannotRead("<stdout>", "Bad file descriptor"), 1});
    // The file written, the access and how it is opened; no access: a pipe.
    const std::map<std::string, std::tuple<std::string, DWORD, DWORD>> files = {
        {"o", {"o", GENERIC_WRITE, CREATE_ALWAYS}},
        {">>a.txt", {"a.txt", FILE_APPEND_DATA, OPEN_EXISTING}},
        {"read-only", {"o", GENERIC_READ, OPEN_EXISTING}},
        {"pipe", {"o", 0, 0}}};
    const std::string program =
        std::filesystem::absolute(GLYPHMILL_CONVERT_PATH).make_preferred().string();
    std::vector<std::size_t> peaksKiB;
    for (const ProgramRow &row : rows) {
        SCOPED_TRACE(row.arguments + " " + row.output);
        const TempFolder folder;
        folder.write("a.txt", row.content);
        const auto [file, access, disposition] = files.at(row.output);
        STARTUPINFOA start{};
        start.cb = sizeof start;
        start.dwFlags = STARTF_USESTDHANDLES;
        folder.write("o", "");
        if (access)
            start.hStdOutput = openForChild(folder.path(file), access, disposition);
        else if (HANDLE reader = nullptr; ::CreatePipe(&reader, &start.hStdOutput, &inherited, 0))
            ::CloseHandle(reader);
        start.hStdInput = row.input.empty()
                              ? nullptr
                              : openForChild(folder.path(row.input), GENERIC_READ, OPEN_EXISTING);
        // Its messages go to a file of the folder.
        start.hStdError = openForChild(folder.path("errors"), GENERIC_WRITE, CREATE_ALWAYS);
        std::string line = "\"" + program + "\" " + row.arguments;
        PROCESS_INFORMATION process{};
        DWORD status = 0;
        std::size_t &peakKiB = peaksKiB.emplace_back(0);
        ASSERT_TRUE(::CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                     folder.path().c_str(), &start, &process));
        // Asked while it runs too: Wine forgets the figures of a process that ended.
        // A run that outlasts 10 s, or an output past 64 MiB (a tool that
        // feeds on its own output), is stopped, as ulimit and timeout do.
        PROCESS_MEMORY_COUNTERS memory{};
        LARGE_INTEGER size{};
        for (int waited = 0;; ++waited) {
            if (::GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory))
                peakKiB = std::max(peakKiB, memory.PeakWorkingSetSize / 1024);
            if (::WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0)
                break;
            if (waited > 10000 ||
                (::GetFileSizeEx(start.hStdOutput, &size) && size.QuadPart > (64 << 20)))
                ::TerminateProcess(process.hProcess, 999);
        }
        ::GetExitCodeProcess(process.hProcess, &status);
        for (const HANDLE handle : {process.hThread, process.hProcess, start.hStdInput,
                                    start.hStdOutput, start.hStdError})
            ::CloseHandle(handle);
        EXPECT_EQ(TempFolder::read(folder.path("errors")), row.errors);
        EXPECT_EQ(status, static_cast<DWORD>(row.status));
        EXPECT_EQ(TempFolder::read(folder.path(file)), row.written);
    }
    EXPECT_LT(std::ranges::max(peaksKiB), std::ranges::min(peaksKiB) + 8 * 1024);
}

} // namespace
} // namespace glyphmill::test
