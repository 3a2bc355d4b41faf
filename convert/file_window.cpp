#include "file_window.h"

#include <algorithm>
#include <csetjmp>
#include <csignal>

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace glyphmill::convert {
namespace {

// Large enough that mapping costs little per byte, small enough to stay a
// few megabytes of the tool's memory.
constexpr std::size_t kWindowSize = 4 * 1024 * 1024;

// The mapping that guarded work is touching, and where to go back to.
struct Guarded {
    sigjmp_buf back;
    const std::uint8_t *first = nullptr;
    const std::uint8_t *last = nullptr;
};

Guarded *volatile g_guarded = nullptr;

void onBusError(int signal, siginfo_t *info, void *) {
    const Guarded *guarded = g_guarded;
    const auto *address = static_cast<const std::uint8_t *>(info->si_addr);
    if (guarded && address >= guarded->first && address < guarded->last)
        siglongjmp(const_cast<Guarded *>(guarded)->back, 1);
    // Any other bus error is a fault of its own: the instruction runs again
    // and the signal ends the tool as it would have.
    std::signal(signal, SIG_DFL);
}

void catchBusErrors() {
    static const bool installed = [] {
        struct sigaction action {};
        action.sa_sigaction = onBusError;
        action.sa_flags = SA_SIGINFO;
        sigemptyset(&action.sa_mask);
        return ::sigaction(SIGBUS, &action, nullptr) == 0;
    }();
    (void)installed;
}

} // namespace

FileWindow::~FileWindow() {
    unmap();
}

bool FileWindow::start(int fd, off_t offset) {
    stop();
    struct stat status {};
    // Files of /proc and /sys take no blocks: some say a size of 0 and have
    // content, some map device memory. Those are read, never mapped.
    if (offset < 0 || ::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) ||
        status.st_blocks == 0 || status.st_size <= offset)
        return false;
    catchBusErrors();
    m_fd = fd;
    m_ended = false;
    m_offset = offset;
    m_pieceStart = offset;
    return true;
}

void FileWindow::stop() {
    unmap();
    m_fd = -1;
}

void FileWindow::unmap() {
    if (m_map)
        ::munmap(m_map, m_mapLength);
    m_map = nullptr;
    m_mapLength = 0;
}

std::span<const std::uint8_t> FileWindow::next(std::size_t size) {
    if (m_fd < 0 || m_ended)
        return {};
    if (!m_map || m_offset >= m_mapStart + static_cast<off_t>(m_mapLength)) {
        unmap();
        struct stat status {};
        if (::fstat(m_fd, &status) != 0 || status.st_size <= m_offset) {
            m_ended = true;
            return {};
        }
        static const off_t pageSize = ::sysconf(_SC_PAGESIZE);
        m_mapStart = m_offset - m_offset % pageSize;
        m_mapLength =
            static_cast<std::size_t>(std::min<off_t>(status.st_size - m_mapStart, kWindowSize));
        void *map = ::mmap(nullptr, m_mapLength, PROT_READ, MAP_SHARED, m_fd, m_mapStart);
        if (map == MAP_FAILED) {
            m_mapLength = 0;
            m_ended = true;
            return {};
        }
        m_map = static_cast<std::uint8_t *>(map);
    }
    const std::size_t count = std::min(
        size, static_cast<std::size_t>(m_mapStart + static_cast<off_t>(m_mapLength) - m_offset));
    m_pieceStart = m_offset;
    m_offset += static_cast<off_t>(count);
    return {m_map + (m_pieceStart - m_mapStart), count};
}

bool FileWindow::guard(void (*work)(void *), void *context) {
    if (!m_map) {
        work(context);
        return true;
    }
    Guarded guarded;
    guarded.first = m_map;
    guarded.last = m_map + m_mapLength;
    if (sigsetjmp(guarded.back, 1) != 0) {
        g_guarded = nullptr;
        giveUpPiece();
        return false;
    }
    g_guarded = &guarded;
    work(context);
    g_guarded = nullptr;
    // Past a new end, the rest of its page reads as zeros and raises
    // nothing: only the size tells whether the piece was still all there.
    struct stat status {};
    if (::fstat(m_fd, &status) != 0 || status.st_size < m_offset) {
        giveUpPiece();
        return false;
    }
    return true;
}

void FileWindow::giveUpPiece() {
    unmap();
    m_offset = m_pieceStart;
    m_ended = true;
}

} // namespace glyphmill::convert
