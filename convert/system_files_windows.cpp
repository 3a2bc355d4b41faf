#include "convert/system_files.h"

#include <cerrno>
#include <climits>
#include <cstdio>

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <shellapi.h>

namespace glyphmill::convert::system_files {
namespace {

// What a console program ended by Ctrl+C leaves as its status on Windows.
constexpr UINT kEndedByConsole = 0xC000013A;

std::string utf8(const wchar_t *text) {
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(size > 0 ? static_cast<std::size_t>(size) : 1, '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, bytes.data(), size, nullptr, nullptr);
    bytes.resize(bytes.size() - 1);
    return bytes;
}

std::wstring wide(const std::string &text) {
    const int size = ::MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    std::wstring characters(size > 0 ? static_cast<std::size_t>(size) : 1, L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, characters.data(), size);
    characters.resize(characters.size() - 1);
    return characters;
}

// The system's reasons as the C library names them, so that messages read
// as they do on other systems.
int errnoOf(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
        return ENOENT;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return EACCES;
    // A handle not opened for what is asked of it, as a descriptor elsewhere.
    case ERROR_ACCESS_DENIED:
    case ERROR_INVALID_HANDLE:
        return EBADF;
    case ERROR_BROKEN_PIPE:
    case ERROR_NO_DATA:
        return EPIPE;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    default:
        return EIO;
    }
}

HANDLE handleOf(int fd) {
    const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
    // A standard stream the program was started without has no handle.
    return handle == reinterpret_cast<HANDLE>(-2) ? INVALID_HANDLE_VALUE : handle;
}

DWORD pieceSize(std::size_t size) {
    return size > INT_MAX ? INT_MAX : static_cast<DWORD>(size);
}

// Ends the tool at once, as a signal does elsewhere: no exit handler runs
// beside the thread that is still converting, nothing more is written.
BOOL WINAPI endAtOnce(DWORD) {
    ::TerminateProcess(::GetCurrentProcess(), kEndedByConsole);
    return TRUE;
}

} // namespace

// The command line as typed, so that a file name keeps every character,
// not only those of the ANSI code page.
std::vector<std::string> arguments(int argc, char **argv) {
    int count = 0;
    wchar_t **words = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!words)
        return {argv, argv + argc};
    std::vector<std::string> result;
    for (int i = 0; i < count; ++i)
        result.push_back(utf8(words[i]));
    ::LocalFree(words);
    return result;
}

// Standard streams in binary mode: no CR LF in place of LF on the way out,
// and none taken away on the way in, for whatever the C library writes too.
void prepareStandardStreams() {
    for (std::FILE *stream : {stdin, stdout, stderr})
        ::_setmode(::_fileno(stream), _O_BINARY);
    ::SetConsoleCtrlHandler(&endAtOnce, TRUE);
}

int openForReading(const std::string &name) {
    const std::wstring path = wide(name);
    const int fd = ::_wopen(path.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT | _O_SEQUENTIAL);
    // A folder is refused as one, not as a file the user may not read.
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (fd < 0 && attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        errno = EISDIR;
    return fd;
}

std::ptrdiff_t readSome(int fd, void *buffer, std::size_t size) {
    DWORD got = 0;
    if (::ReadFile(handleOf(fd), buffer, pieceSize(size), &got, nullptr))
        return got;
    const DWORD error = ::GetLastError();
    // The writing end of a pipe closed: the input ends there.
    if (error == ERROR_BROKEN_PIPE || error == ERROR_HANDLE_EOF)
        return 0;
    errno = errnoOf(error);
    return -1;
}

std::ptrdiff_t writeSome(int fd, const void *data, std::size_t size) {
    DWORD written = 0;
    if (::WriteFile(handleOf(fd), data, pieceSize(size), &written, nullptr))
        return written;
    errno = errnoOf(::GetLastError());
    return -1;
}

int closeFile(int fd) {
    return ::_close(fd);
}

void readSequentially(int) {
    // Files are opened for reading from start to end already (_O_SEQUENTIAL);
    // a pipe keeps the size its writer made it.
}

std::optional<FileIdentity> identityOf(int fd) {
    BY_HANDLE_FILE_INFORMATION information{};
    if (!::GetFileInformationByHandle(handleOf(fd), &information))
        return std::nullopt;
    return FileIdentity{information.dwVolumeSerialNumber,
                        (std::uint64_t{information.nFileIndexHigh} << 32) |
                            information.nFileIndexLow};
}

// Only a file on a disk gives back what is written to it: an anonymous pipe
// cannot be opened again by name, and the console and NUL never give back.
std::optional<FileIdentity> readBackIdentityOf(int fd) {
    if (::GetFileType(handleOf(fd)) != FILE_TYPE_DISK)
        return std::nullopt;
    return identityOf(fd);
}

void writeMessage(int fd, const std::string &text) {
    const char *bytes = text.data();
    std::size_t size = text.size();
    while (size > 0) {
        const std::ptrdiff_t written = writeSome(fd, bytes, size);
        if (written <= 0)
            return;
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
}

} // namespace glyphmill::convert::system_files
