// How the size of glyphmill-convert's reads changes its speed: encode and
// decode of a payload through the tool's library, read from a regular file
// and from a pipe, at several read sizes, output to /dev/null. Sizes and
// rounds alternate; the table gives medians of the processor time (user and
// system) of the converting process, which another load on the machine
// stretches less than the wall-clock time, shown beside it.
// Usage: read_size_bench [MEBIBYTES] [ROUNDS]   (default 64 MiB, 5 rounds)
#include "convert/conversions.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace glyphmill::convert;

constexpr std::size_t kSizes[] = {16 << 10,  32 << 10,  64 << 10, 128 << 10,
                                  256 << 10, 512 << 10, 1 << 20,  4 << 20};

struct Times {
    double cpu = 0;
    double wall = 0;
};

double cpuSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Writes the file into a pipe from a child process, as cat FILE | would,
// so that the writer's time is not counted.
int pipeFrom(const std::string &file, pid_t &writer) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0)
        std::exit(1);
    writer = ::fork();
    if (writer == 0) {
        const int fd = ::open(file.c_str(), O_RDONLY);
        std::vector<char> buffer(128 << 10);
        for (ssize_t got; (got = ::read(fd, buffer.data(), buffer.size())) > 0;) {
            for (ssize_t at = 0; at < got;) {
                const ssize_t put = ::write(ends[1], buffer.data() + at, got - at);
                if (put <= 0)
                    ::_exit(1);
                at += put;
            }
        }
        ::_exit(0);
    }
    ::close(ends[1]);
    return ends[0];
}

Times runOnce(bool encode, bool pipe, const std::string &file, std::size_t size) {
    Streams streams;
    streams.output = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    pid_t writer = -1;
    if (pipe)
        streams.input = pipeFrom(file, writer);
    CommandLine line;
    line.operands = {pipe ? "-" : file};
    line.separator = glyphmill::DigitSeparator::CrLf;
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = cpuSeconds();
    const int status =
        encode ? runTextToBinary(line, streams, size) : runBinaryToText(line, streams, size);
    const Times times{
        cpuSeconds() - cpuStart,
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count()};
    if (pipe) {
        ::close(streams.input);
        ::waitpid(writer, nullptr, 0);
    }
    ::close(streams.output);
    if (status != 0)
        std::exit(1);
    return times;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[]) {
    const std::size_t mebibytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 64;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
    char folder[] = "/tmp/glyphmill-read-size.XXXXXX";
    if (!::mkdtemp(folder))
        return 1;
    const std::string payload = std::string(folder) + "/payload",
                      lines = std::string(folder) + "/lines";
    {
        std::mt19937 random(18);
        std::string bytes(mebibytes << 20, '\0');
        for (char &byte : bytes)
            byte = static_cast<char>(1 + random() % 255);
        std::ofstream(payload, std::ios::binary) << bytes;
        Streams streams;
        streams.output = ::open(lines.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        CommandLine line;
        line.operands = {payload};
        line.separator = glyphmill::DigitSeparator::CrLf;
        runTextToBinary(line, streams, 64 << 10);
        ::close(streams.output);
    }
    // [encode][pipe][size]
    std::vector<double> cpu[2][2][std::size(kSizes)], wall[2][2][std::size(kSizes)];
    for (int round = 0; round < rounds; ++round) {
        for (int encode = 0; encode < 2; ++encode) {
            for (int pipe = 0; pipe < 2; ++pipe) {
                for (std::size_t s = 0; s < std::size(kSizes); ++s) {
                    const Times times = runOnce(encode, pipe, encode ? payload : lines, kSizes[s]);
                    cpu[encode][pipe][s].push_back(times.cpu);
                    wall[encode][pipe][s].push_back(times.wall);
                }
            }
        }
    }
    std::printf("%zu MiB payload (decode: its %zu MiB of CR LF lines); medians of %d rounds\n",
                mebibytes, mebibytes * 10, rounds);
    std::printf("%-7s %-5s %9s %9s %9s\n", "command", "input", "read", "CPU ms", "wall ms");
    for (int encode = 1; encode >= 0; --encode) {
        for (int pipe = 0; pipe < 2; ++pipe) {
            for (std::size_t s = 0; s < std::size(kSizes); ++s) {
                std::printf("%-7s %-5s %5zu KiB %9.1f %9.1f\n", encode ? "encode" : "decode",
                            pipe ? "pipe" : "file", kSizes[s] >> 10,
                            median(cpu[encode][pipe][s]) * 1e3,
                            median(wall[encode][pipe][s]) * 1e3);
            }
        }
    }
    std::remove(payload.c_str());
    std::remove(lines.c_str());
    ::rmdir(folder);
}
