// Preloaded into the tool: closing standard output fails, as on a file
// system that writes back only on close.
#include <cerrno>
#include <dlfcn.h>

extern "C" int close(int fd) {
    if (fd == 1) {
        errno = EIO;
        return -1;
    }
    static const auto next = reinterpret_cast<int (*)(int)>(::dlsym(RTLD_NEXT, "close"));
    return next(fd);
}
