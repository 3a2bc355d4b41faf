// glyphmill-convert given what a careless script gives it: files it cannot
// read, a full disk, a reader that goes away, input that comes a byte at a
// time and input far larger than memory. It must say what went wrong, end,
// and lose none of the input it could read.
#include "child_process.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <thread>

namespace glyphmill::test {
namespace {

const std::string kTool = GLYPHMILL_CONVERT_PATH;

// Writes to a pipe whose reader has gone fail with EPIPE instead of ending
// the test program.
void ignoreSigpipe() {
    std::signal(SIGPIPE, SIG_IGN);
}

// Writes until done or until the reader goes away.
bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

std::string readAll(int fd) {
    std::string bytes;
    char buffer[65536];
    ::lseek(fd, 0, SEEK_SET);
    for (;;) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return bytes;
        bytes.append(buffer, static_cast<std::size_t>(count));
    }
}

// Sends a standard input through a pipe, from a thread of its own.
using Feeder = std::function<void(int fd)>;

Feeder allAtOnce(std::string input) {
    return [input = std::move(input)](int fd) { writeAll(fd, input); };
}

// One byte per write, with a pause after each, so that every read of the
// tool finds a single byte waiting.
Feeder oneByteAtATime(std::string input) {
    return [input = std::move(input)](int fd) {
        for (const char byte : input) {
            if (!writeAll(fd, std::string_view(&byte, 1)))
                return;
            std::this_thread::sleep_for(std::chrono::microseconds(500));
        }
    };
}

// `piece` over and over, `count` times, or without end (0) until the reader
// goes away.
Feeder repeated(std::string piece, std::size_t count = 0) {
    return [piece = std::move(piece), count](int fd) {
        std::string block;
        while (block.size() < 65536)
            block += piece;
        const std::size_t total = count * piece.size();
        for (std::size_t sent = 0; count == 0 || sent < total; sent += block.size()) {
            const std::size_t size =
                count == 0 ? block.size() : std::min(block.size(), total - sent);
            if (!writeAll(fd, std::string_view(block).substr(0, size)))
                return;
        }
    };
}

struct ToolRun {
    ChildProcess::Outcome outcome;
    std::string out;
    std::string err;
};

// Runs the tool with its input from `feed`; its output goes to `outputPath`,
// or is collected when that is empty.
ToolRun runTool(const std::vector<std::string> &arguments, const Feeder &feed,
                const std::string &outputPath = "") {
    ignoreSigpipe();
    int input[2];
    EXPECT_EQ(::pipe2(input, O_CLOEXEC), 0);
    const int output = outputPath.empty() ? ::memfd_create("stdout", MFD_CLOEXEC)
                                          : ::open(outputPath.c_str(), O_WRONLY | O_CLOEXEC);
    const int error = ::memfd_create("stderr", MFD_CLOEXEC);
    EXPECT_GE(output, 0);
    EXPECT_GE(error, 0);
    std::vector<std::string> command{kTool};
    command.insert(command.end(), arguments.begin(), arguments.end());
    ToolRun run;
    {
        ChildProcess tool(command, input[0], output, error);
        ::close(input[0]);
        std::thread writer([&] {
            feed(input[1]);
            ::close(input[1]);
        });
        run.outcome = tool.wait();
        writer.join();
    }
    if (outputPath.empty())
        run.out = readAll(output);
    run.err = readAll(error);
    ::close(output);
    ::close(error);
    return run;
}

ToolRun runTool(const std::vector<std::string> &arguments, const std::string &input = "") {
    return runTool(arguments, allAtOnce(input));
}

// -- Files that cannot be read ------------------------------------------

struct UnreadableRow {
    const char *name;
    const char *reason;
};

void PrintTo(const UnreadableRow &row, std::ostream *out) {
    *out << row.name;
}

class UnreadableFile : public ::testing::TestWithParam<UnreadableRow> {
  protected:
    // A file of the kind the row names, in `folder`.
    std::string make(const TempFolder &folder) {
        const std::string kind = GetParam().name;
        if (kind == "Folder") {
            std::filesystem::create_directory(folder.path("folder"));
            return folder.path("folder");
        }
        if (kind == "Missing")
            return folder.path("missing");
        if (kind == "NoPermission") {
            const std::string locked = folder.write("locked", "01000001");
            std::filesystem::permissions(locked, std::filesystem::perms::none);
            if (std::ifstream(locked).good())
                return "";
            return locked;
        }
        // Opens, then fails at its first read (address 0 of the memory of a
        // process is never mapped), whoever the user is.
        return "/proc/self/mem";
    }
};

TEST_P(UnreadableFile, IsReportedAndTheOtherFilesStillConvert) {
    const TempFolder folder;
    const std::string bad = make(folder);
    if (bad.empty())
        GTEST_SKIP() << "this user reads files without permission (root)";
    const std::string before = folder.write("before", "0100");
    const std::string after = folder.write("after", "0001\r\n01000010");
    const std::string message = "glyphmill-convert: " + bad + ": " + GetParam().reason + "\n";

    // The group begun before the bad file ends after it.
    const ToolRun decoded = runTool({"binary-to-text", before, bad, after});
    EXPECT_EQ(decoded.out, "AB");
    EXPECT_EQ(decoded.err, message);
    EXPECT_EQ(decoded.outcome.status, 1);

    const ToolRun encoded = runTool({"text-to-binary", before, bad, "-"}, "!");
    EXPECT_EQ(encoded.out, "00110000\r\n00110001\r\n00110000\r\n00110000\r\n00100001\r\n");
    EXPECT_EQ(encoded.err, message);
    EXPECT_EQ(encoded.outcome.status, 1);

    const std::string groups = folder.write("groups", "01000001\n01000010\n");
    const ToolRun strict = runTool({"binary-to-text", "--strict", bad, groups});
    EXPECT_EQ(strict.out, "AB");
    EXPECT_EQ(strict.err, message);
    EXPECT_EQ(strict.outcome.status, 1);
}

INSTANTIATE_TEST_SUITE_P(Kinds, UnreadableFile,
                         ::testing::Values(UnreadableRow{"Folder", "Is a directory"},
                                           UnreadableRow{"Missing", "No such file or directory"},
                                           UnreadableRow{"NoPermission", "Permission denied"},
                                           UnreadableRow{"ReadError", "Input/output error"}),
                         [](const auto &info) { return std::string(info.param.name); });

// -- A full disk --------------------------------------------------------

struct CommandRow {
    const char *name;
    std::vector<std::string> arguments;
    std::string piece; // the input, repeated
};

void PrintTo(const CommandRow &row, std::ostream *out) {
    *out << row.name;
}

const auto kCommands = ::testing::Values(
    CommandRow{"TextToBinary", {"text-to-binary"}, "Hello, world\n"},
    CommandRow{"BinaryToText", {"binary-to-text"}, "01000001\r\n"},
    CommandRow{"BinaryToTextStrict", {"binary-to-text", "--strict"}, "01000001\n"});

const auto kRowName = [](const auto &info) { return std::string(info.param.name); };

class FullDisk : public ::testing::TestWithParam<CommandRow> {};

TEST_P(FullDisk, StopsAtTheFirstFailedWriteWithOneMessage) {
    // Far more input than one read takes; the tool must not go on reading
    // it all, nor report the failure once per write.
    const ToolRun run =
        runTool(GetParam().arguments,
                repeated(GetParam().piece, (64 << 20) / GetParam().piece.size()), "/dev/full");
    EXPECT_EQ(run.outcome.status, 1);
    EXPECT_EQ(run.err, "glyphmill-convert: <stdout>: No space left on device\n");
}

INSTANTIATE_TEST_SUITE_P(Commands, FullDisk, kCommands, kRowName);

TEST(FullDiskNumbers, ManyNumbersGiveOneMessage) {
    std::vector<std::string> arguments{"number-to-binary"};
    for (int i = 0; i < 20000; ++i)
        arguments.push_back(std::to_string(i));
    const ToolRun run = runTool(arguments, allAtOnce(""), "/dev/full");
    EXPECT_EQ(run.outcome.status, 1);
    EXPECT_EQ(run.err, "glyphmill-convert: <stdout>: No space left on device\n");
}

// -- A reader that goes away: `glyphmill-convert ... | head -c1` -----------

struct PipedRun {
    ChildProcess::Outcome head;
    std::string headOut;
    ChildProcess::Outcome tool;
    std::string toolErr;
};

// The tool with its output piped into `head -c1`, and its input from `feed`.
PipedRun pipeIntoHead(const std::vector<std::string> &arguments, const Feeder &feed) {
    ignoreSigpipe();
    int input[2];
    int pipeline[2];
    EXPECT_EQ(::pipe2(input, O_CLOEXEC), 0);
    EXPECT_EQ(::pipe2(pipeline, O_CLOEXEC), 0);
    const int headOutput = ::memfd_create("head", MFD_CLOEXEC);
    const int toolError = ::memfd_create("stderr", MFD_CLOEXEC);
    std::vector<std::string> command{kTool};
    command.insert(command.end(), arguments.begin(), arguments.end());
    PipedRun run;
    {
        ChildProcess head({"head", "-c1"}, pipeline[0], headOutput, 2);
        ChildProcess tool(command, input[0], pipeline[1], toolError);
        ::close(pipeline[0]);
        ::close(pipeline[1]);
        ::close(input[0]);
        std::thread writer([&] {
            feed(input[1]);
            ::close(input[1]);
        });
        run.head = head.wait();
        run.tool = tool.wait();
        writer.join();
    }
    run.headOut = readAll(headOutput);
    run.toolErr = readAll(toolError);
    ::close(headOutput);
    ::close(toolError);
    return run;
}

class ClosedPipe : public ::testing::TestWithParam<CommandRow> {};

TEST_P(ClosedPipe, EndsTheToolQuietlyEvenOnEndlessInput) {
    const PipedRun run = pipeIntoHead(GetParam().arguments, repeated(GetParam().piece));
    EXPECT_EQ(run.head.status, 0);
    EXPECT_EQ(run.headOut.size(), 1u);
    EXPECT_EQ(run.tool.signal, SIGPIPE);
    EXPECT_EQ(run.toolErr, "");
}

INSTANTIATE_TEST_SUITE_P(Commands, ClosedPipe, kCommands, kRowName);

TEST(ClosedPipeNumbers, EndsTheToolQuietly) {
    std::vector<std::string> arguments{"number-to-binary"};
    for (int i = 1; i <= 100000; ++i)
        arguments.push_back(std::to_string(i));
    const PipedRun run = pipeIntoHead(arguments, allAtOnce(""));
    EXPECT_EQ(run.headOut, "1");
    EXPECT_EQ(run.tool.signal, SIGPIPE);
    EXPECT_EQ(run.toolErr, "");
}

// -- Input that arrives one byte at a time --------------------------------

struct TrickleRow {
    const char *name;
    std::vector<std::string> arguments;
    std::string input;
    std::string out;
    std::string err;
    int status;
};

void PrintTo(const TrickleRow &row, std::ostream *out) {
    *out << row.name;
}

class OneByteAtATime : public ::testing::TestWithParam<TrickleRow> {};

TEST_P(OneByteAtATime, GivesWhatTheWholeInputGives) {
    const TrickleRow &row = GetParam();
    const ToolRun trickled = runTool(row.arguments, oneByteAtATime(row.input));
    EXPECT_EQ(trickled.out, row.out);
    EXPECT_EQ(trickled.err, row.err);
    EXPECT_EQ(trickled.outcome.status, row.status);
    const ToolRun whole = runTool(row.arguments, row.input);
    EXPECT_EQ(whole.out, row.out);
    EXPECT_EQ(whole.err, row.err);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, OneByteAtATime,
    ::testing::Values(TrickleRow{"TextToBinary",
                                 {"text-to-binary"},
                                 "Hi\r\n\xE9",
                                 "01001000\r\n01101001\r\n00001101\r\n00001010\r\n11101001\r\n",
                                 "",
                                 0},
                      // Every CR LF pair is split between two reads.
                      TrickleRow{"BinaryToText",
                                 {"binary-to-text"},
                                 "01001000\r\n01101001\r\n0100\r\n0001\r\r\n\n1",
                                 "HiA ",
                                 "",
                                 0},
                      TrickleRow{"BinaryToTextStrict",
                                 {"binary-to-text", "--strict"},
                                 "01001000\r\n01101001\n  0100100x\n",
                                 "Hi",
                                 "<stdin>:3:10: expected 8 binary digits, found 'x'\n",
                                 1},
                      TrickleRow{"BinaryToTextStrictShortLastGroup",
                                 {"binary-to-text", "--strict"},
                                 "01001000\r\n0110",
                                 "H",
                                 "<stdin>:2:5: expected 8 binary digits, found end of input\n",
                                 1}),
    kRowName);

// -- Memory ---------------------------------------------------------------

class ConstantMemory : public ::testing::TestWithParam<CommandRow> {};

TEST_P(ConstantMemory, SixtyFourMegabytesTakeNoMoreThanOneLine) {
    const std::size_t pieces = (std::size_t{64} << 20) / GetParam().piece.size();
    const ToolRun small = runTool(GetParam().arguments, repeated(GetParam().piece, 1), "/dev/null");
    const ToolRun large =
        runTool(GetParam().arguments, repeated(GetParam().piece, pieces), "/dev/null");
    ASSERT_EQ(small.outcome.status, 0) << small.err;
    ASSERT_EQ(large.outcome.status, 0) << large.err;
    // Within a few megabytes: a buffer that grew with the input would take
    // tens of them.
    EXPECT_LT(large.outcome.peakMemoryKiB, small.outcome.peakMemoryKiB + 8 * 1024)
        << "one line: " << small.outcome.peakMemoryKiB
        << " KiB peak; 64 MiB: " << large.outcome.peakMemoryKiB << " KiB peak";
}

INSTANTIATE_TEST_SUITE_P(Commands, ConstantMemory, kCommands, kRowName);

} // namespace
} // namespace glyphmill::test
