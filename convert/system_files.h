#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the tool asks of the system: its arguments, its standard streams, and
// files read and written as bytes through descriptors. Each system has a file
// of its own (system_files_posix.cpp, system_files_windows.cpp), chosen by the
// build. Failures return -1 and leave the reason in errno, for strerror.
namespace glyphmill::convert::system_files {

// The command line's arguments, file names in UTF-8.
std::vector<std::string> arguments(int argc, char **argv);

// Readies the standard streams before anything else runs: they carry bytes
// as they are, and a closed one stays closed. Ctrl+C and the terminal going
// away end the tool at once and quietly.
void prepareStandardStreams();

int openForReading(const std::string &name);
// At most `size` bytes; 0 at the end.
std::ptrdiff_t readSome(int fd, void *buffer, std::size_t size);
std::ptrdiff_t writeSome(int fd, const void *data, std::size_t size);
int closeFile(int fd);
// Tells the system that the file is read once from start to end, so that it
// may read ahead further and in larger pieces.
void readSequentially(int fd);

// The file behind a descriptor: the same identity is the same file, whatever
// its name or however it was opened.
struct FileIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    bool operator==(const FileIdentity &) const = default;
};
std::optional<FileIdentity> identityOf(int fd);
// The identity of an output that gives back what is written to it when it is
// read (a file, a pipe); none for a terminal, a null device or a socket.
std::optional<FileIdentity> readBackIdentityOf(int fd);

// Writes a message whole, as far as the stream takes it.
void writeMessage(int fd, const std::string &text);

} // namespace glyphmill::convert::system_files
