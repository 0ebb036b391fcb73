// Preloaded into a test and the programs it starts: fails write, fsync or rename for files under
// one folder, as a full or broken disk would, where no small file system can be mounted.
// VEXA_FAIL_PATH names the folder, VEXA_FAIL_OPS the operations ("write,fsync,rename").
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool failing(const char *operation, const char *path)
{
    const char *folder = std::getenv("VEXA_FAIL_PATH");
    const char *operations = std::getenv("VEXA_FAIL_OPS");
    return folder && *folder && operations && path && std::strstr(operations, operation)
        && std::strncmp(path, folder, std::strlen(folder)) == 0;
}

bool failingDescriptor(const char *operation, int fd)
{
    if (!std::getenv("VEXA_FAIL_PATH"))
        return false;
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    char path[PATH_MAX];
    const ssize_t length = ::readlink(link, path, sizeof path - 1);
    if (length < 0)
        return false;
    path[length] = '\0';
    return failing(operation, path);
}

template<typename Function>
Function next(const char *name)
{
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

int refuse(int error)
{
    errno = error;
    return -1;
}

} // namespace

extern "C" {

ssize_t write(int fd, const void *bytes, size_t count)
{
    static const auto real = next<ssize_t (*)(int, const void *, size_t)>("write");
    return failingDescriptor("write", fd) ? refuse(ENOSPC) : real(fd, bytes, count);
}

int fsync(int fd)
{
    static const auto real = next<int (*)(int)>("fsync");
    return failingDescriptor("fsync", fd) ? refuse(EIO) : real(fd);
}

int fdatasync(int fd)
{
    static const auto real = next<int (*)(int)>("fdatasync");
    return failingDescriptor("fsync", fd) ? refuse(EIO) : real(fd);
}

int rename(const char *from, const char *to)
{
    static const auto real = next<int (*)(const char *, const char *)>("rename");
    return failing("rename", to) ? refuse(EIO) : real(from, to);
}

int renameat(int fromFolder, const char *from, int toFolder, const char *to)
{
    static const auto real = next<int (*)(int, const char *, int, const char *)>("renameat");
    return failing("rename", to) ? refuse(EIO) : real(fromFolder, from, toFolder, to);
}

int renameat2(int fromFolder, const char *from, int toFolder, const char *to, unsigned flags)
{
    static const auto real
        = next<int (*)(int, const char *, int, const char *, unsigned)>("renameat2");
    return failing("rename", to) ? refuse(EIO) : real(fromFolder, from, toFolder, to, flags);
}

} // extern "C"
