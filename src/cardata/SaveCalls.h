#pragma once

#include <sys/types.h>

namespace modLoad {

// The system calls a save makes, gathered in one table so that tests can
// make each fail in turn. The programs never change it.
struct SaveCalls {
    int (*open)(const char* path, int flags, mode_t mode);
    ssize_t (*write)(int fd, const void* data, size_t size);
    ssize_t (*pread)(int fd, void* data, size_t size, off_t offset);
    int (*ftruncate)(int fd, off_t size);
    int (*fchmod)(int fd, mode_t mode);
    int (*fchown)(int fd, uid_t owner, gid_t group);
    int (*fdatasync)(int fd);
    int (*fsync)(int fd);
    // renameat2's flags: 0, or RENAME_EXCHANGE to swap the two names.
    int (*rename)(const char* from, const char* to, unsigned flags);
    int (*close)(int fd);
};

SaveCalls& SystemCalls();

}  // namespace modLoad
