#pragma once

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>

// The bare loops' rename: one renameat2 call that never replaces a file. Where the filesystem
// refuses the flag (sshfs and many shares answer EINVAL), the new name is looked up just before
// a plain rename, as mv does: the least a renamer can do there.
inline bool renameNoReplace(int directory, const char* from, const char* to) {
    if (::syscall(SYS_renameat2, directory, from, directory, to, RENAME_NOREPLACE) == 0) {
        return true;
    }
    struct stat info {};
    return errno == EINVAL && ::fstatat(directory, to, &info, AT_SYMLINK_NOFOLLOW) != 0 &&
           errno == ENOENT && ::renameat(directory, from, directory, to) == 0;
}
