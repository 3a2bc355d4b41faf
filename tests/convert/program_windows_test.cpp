// glyphmill-convert as a process on Windows, started with the standard
// handles a console or a script gives it.
#include "tests/convert/tool_messages.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <windows.h>

#include <psapi.h>

namespace glyphmill::test {
namespace {

struct ProgramRun {
    std::string errors;
    DWORD status = 0;
    std::size_t peakKiB = 0;
};

// A handle the program inherits, as a redirection in a console hands it over.
HANDLE openForChild(const std::string &path, DWORD access, DWORD disposition) {
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    return ::CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                         disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Runs the program on `arguments` with the standard handles given (a null
// input is a closed one); its messages go to a file of the folder.
ProgramRun runProgram(const TempFolder &folder, const std::string &arguments, HANDLE input,
                      HANDLE output) {
    const HANDLE errors = openForChild(folder.path("errors"), GENERIC_WRITE, CREATE_ALWAYS);
    STARTUPINFOA start{};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = input;
    start.hStdOutput = output;
    start.hStdError = errors;
    const std::string program =
        std::filesystem::absolute(GLYPHMILL_CONVERT_PATH).make_preferred().string();
    std::string line = "\"" + program + "\" " + arguments;
    PROCESS_INFORMATION process{};
    ProgramRun run;
    if (::CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                         folder.path().c_str(), &start, &process)) {
        // Asked while it runs too: Wine forgets the figures of a process that ended.
        // A run that outlasts 10 s, or an output past 64 MiB (a tool that
        // feeds on its own output), is stopped, as ulimit and timeout do.
        PROCESS_MEMORY_COUNTERS memory{};
        LARGE_INTEGER size{};
        for (int waited = 0;; ++waited) {
            if (::GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory))
                run.peakKiB = std::max(run.peakKiB, memory.PeakWorkingSetSize / 1024);
            if (::WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0)
                break;
            if (waited > 10000 || (::GetFileSizeEx(output, &size) && size.QuadPart > (64 << 20)))
                ::TerminateProcess(process.hProcess, 999);
        }
        ::GetExitCodeProcess(process.hProcess, &run.status);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
    }
    ::CloseHandle(errors);
    run.errors = TempFolder::read(folder.path("errors"));
    return run;
}

// The program run as a console runs it, with its redirections: the exit
// statuses, bytes that pass both ways untouched (no CR LF for LF, no end at
// Ctrl+Z), an input that is the output file itself (by the file's identity,
// through whatever name or handle), a closed standard input, outputs that
// fail (a handle not open for writing, a reader that went away), and the
// peak memory, which a large input must not raise.
TEST(Convert, ProgramStatusBinaryStreamsOwnOutputFailedOutputAndMemory) {
    const std::string own = "input file is output file", large(33554430, '1'),
                      cut = "<stdin>:1:8: expected 8 binary digits, found end of input\n";
    struct Row {
        std::string arguments, input, inputContent;
        std::string output, errors;
        DWORD status;
        std::string outputContent;
    };
    // The input "a.txt" (or none: closed), the output "o", ">>a.txt" (the
    // input file, appended to), "read-only" or "pipe" (whose reader is gone).
    const Row rows[] = {
        {"text-to-binary", "a.txt", "A\r\n\x1A!", "o", "", 0,
         "01000001\n00001101\n00001010\n00011010\n00100001\n"},
        {"text-to-binary -s crlf", "a.txt", "Hi", "o", "", 0, "01001000\r\n01101001\r\n"},
        {"binary-to-text", "a.txt", "01000001\r\n00001010 00001101\n00011010", "o", "", 0,
         "A\n\r\x1A"},
        {"binary-to-text", "a.txt", "0100000", "o", cut, 1, ""},
        {"encode", "a.txt", "", "o", usageError("unknown command 'encode'"), 2, ""},
        {"text-to-binary a.txt", "", "A", ">>a.txt", cannotRead("a.txt", own), 1, "A"},
        {"binary-to-text -", "a.txt", "01000001", ">>a.txt", cannotRead("<stdin>", own), 1,
         "01000001"},
        {"text-to-binary a.txt -", "", "A", "o", cannotRead("<stdin>", "Bad file descriptor"), 1,
         "01000001\n"},
        {"text-to-binary", "a.txt", large, "read-only",
         cannotRead("<stdout>", "Bad file descriptor"), 1, ""},
        {"number-to-binary", "a.txt", large, "o", kTooLong, 1, ""},
        {"binary-to-text --window-rules", "a.txt", large, "pipe", "", 1, ""},
    };
    std::vector<std::size_t> peaksKiB;
    for (const Row &row : rows) {
        SCOPED_TRACE(row.arguments + " " + row.output);
        const TempFolder folder;
        folder.write("a.txt", row.inputContent);
        const HANDLE input =
            row.input.empty() ? nullptr
                              : openForChild(folder.path(row.input), GENERIC_READ, OPEN_EXISTING);
        HANDLE output = nullptr, reader = nullptr;
        if (row.output == "o")
            output = openForChild(folder.path("o"), GENERIC_WRITE, CREATE_ALWAYS);
        else if (row.output == ">>a.txt")
            output = openForChild(folder.path("a.txt"), FILE_APPEND_DATA, OPEN_EXISTING);
        else if (row.output == "read-only")
            output = openForChild(folder.write("o", ""), GENERIC_READ, OPEN_EXISTING);
        else {
            SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
            ASSERT_TRUE(::CreatePipe(&reader, &output, &inherited, 0));
            ::CloseHandle(reader);
        }
        const ProgramRun run = runProgram(folder, row.arguments, input, output);
        ::CloseHandle(output);
        if (input)
            ::CloseHandle(input);
        EXPECT_EQ(run.errors, row.errors);
        EXPECT_EQ(run.status, row.status);
        if (row.output == "o" || row.output == ">>a.txt") {
            EXPECT_EQ(TempFolder::read(folder.path(row.output == "o" ? "o" : "a.txt")),
                      row.outputContent);
        }
        peaksKiB.push_back(run.peakKiB);
    }
    EXPECT_LT(std::ranges::max(peaksKiB), std::ranges::min(peaksKiB) + 8 * 1024);
}

} // namespace
} // namespace glyphmill::test
