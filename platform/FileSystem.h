#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/DirEntry.h"
#include "platform/Directory.h"
#include "platform/FileContents.h"
#include "platform/Status.h"

namespace nameshift::platform {

enum class WriteMode {
    CreateNew,  // fails with EEXIST when the file is there already
    Replace,    // replaces whatever is there
};

// Every file-system operation the program needs. The program never changes its current
// directory, so a relative path is taken from the one it started in; the operations on an open
// Directory take plain names inside it. Tests wrap the real implementation to inject failures.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The entries of one directory, "." and ".." left out, in the system's order. A directory
    // that cannot be read to its end is an error, never a shortened list.
    virtual Result<std::vector<DirEntry>> listDirectory(const std::string& path) = 0;
    virtual Result<std::vector<DirEntry>> listDirectory(const Directory& directory) = 0;
    // As listDirectory, for a caller that needs of each entry only its name, its inode, whether
    // it is a directory and the Hidden, Archive and System bits: where the directory itself
    // tells an entry is a regular file, the file is not examined, and its Read Only bit, size and
    // write time are left at zero. Examining every file is most of a large listing's cost.
    virtual Result<std::vector<DirEntry>> listDirectoryKinds(const std::string& path) {
        return listDirectory(path);
    }
    virtual Result<std::vector<DirEntry>> listDirectoryKinds(const Directory& directory) {
        return listDirectory(directory);
    }
    // Each entry's name, number and kind handed to `visit` as it is read, none kept: for a look
    // at a large folder that needs few of its entries.
    virtual Status visitDirectoryKinds(const Directory& directory,
                                       const std::function<void(const DirEntryView&)>& visit) {
        Result<std::vector<DirEntry>> entries = listDirectoryKinds(directory);
        if (!entries.ok()) {
            return entries.status();
        }
        for (const DirEntry& entry : *entries) {
            visit({entry.name, entry.inode, entry.isDirectory, entry.lookedAt, entry.size,
                   entry.writeTimeNs, entry.birthTimeNs});
        }
        return {};
    }

    // As visitDirectoryKinds, but where the directory's entries do not carry the files' own
    // numbers, only the entries `wanted` names are looked at for theirs; the others, where the
    // directory tells their kind, come with their name and kind alone (number 0).
    virtual Status visitDirectoryKindsFor(const Directory& directory,
                                          const std::function<bool(std::string_view)>& wanted,
                                          const std::function<void(const DirEntryView&)>& visit) {
        static_cast<void>(wanted);
        return visitDirectoryKinds(directory, visit);
    }

    // Whether `path` is a directory the program may enter, with the errors entering it would
    // give: ENOENT, ENOTDIR, ESTALE when it is not (or no longer) there, EACCES when it may not.
    virtual Status canEnter(const std::string& path) = 0;
    // The longest file name, in bytes, that the filesystem holding the directory `path` stores;
    // 255, what Linux filesystems hold, when the filesystem does not say.
    virtual std::size_t longestNameIn(const std::string& path) {
        static_cast<void>(path);
        return kUsualLongestName;
    }
    static constexpr std::size_t kUsualLongestName = 255;

    // Writes the whole file or nothing: the text goes to a temporary file beside the target,
    // which takes the target's place only once every byte, and the directory entry, is on disk.
    // The writer holds the temporary file's lock (see lockFile) until then, so a temporary file
    // whose lock can be taken was left by a writer that was stopped.
    virtual Status writeFile(const std::string& path, const FileContents& contents,
                             WriteMode mode) = 0;

    // The whole file, refused with EFBIG when it holds more than `maxBytes`: every file the
    // program reads can be changed by the user or by another program, and none of them needs
    // more than its reader names. Only regular files are read.
    virtual Result<std::string> readFile(const std::string& path, std::size_t maxBytes) = 0;
    // At most the first `bytes` bytes of a regular file, for a look at its header before it is
    // read whole.
    virtual Result<std::string> readFileStart(const std::string& path, std::size_t bytes) = 0;
    virtual Status removeFile(const std::string& path) = 0;
    // The file at `path` itself, a link not followed.
    virtual Result<FileIdentity> identify(const std::string& path) = 0;
    // Creates the directory and any missing parents, readable by the owner alone.
    virtual Status makeDirectories(const std::string& path) = 0;
    // Takes the lock file at `path` (created when missing) without waiting: Busy when another
    // process holds it.
    virtual Result<FileLock> lockFile(const std::string& path) = 0;
    // The same, shared with others who take it shared: Busy while one holds it whole.
    virtual Result<FileLock> lockFileShared(const std::string& path) { return lockFile(path); }
    // Takes the lock of an open directory itself without waiting: Busy when another process
    // holds it. Every program that renames there sees this lock, whatever folder it keeps its
    // own state in and whichever user runs it.
    virtual Result<FileLock> lockDirectory(const Directory& directory) = 0;
    // The folders that hold an open directory, from its parent up to the filesystem's root
    // (and on over the mounts beneath it): whoever renames a whole tree must know of the
    // batches in each folder of it. Those that can be told, up to one that may not be entered.
    virtual Result<std::vector<FileIdentity>> foldersAbove(const Directory& /*directory*/) {
        return std::vector<FileIdentity>{};
    }

    // The same operations inside an open directory. A name there may also be a path beneath it
    // ("a/b/name"), whose folders are entered without following a link, without "." or "..",
    // and without leaving the directory's filesystem.
    virtual Result<Directory> openDirectory(const std::string& path) = 0;
    // A folder beneath an open directory, by its path from there.
    virtual Result<Directory> openDirectoryIn(const Directory& directory, const std::string& name) {
        return openDirectory(directory.path() + "/" + name);
    }
    // Makes a folder, as the user's new folders are made (the umask decides who may use it);
    // EEXIST when the name is taken.
    virtual Status makeDirectoryIn(const Directory& directory, const std::string& name) = 0;
    // Removes a folder that is empty; ENOTEMPTY, and nothing done, when it is not.
    virtual Status removeDirectoryIn(const Directory& directory, const std::string& name) = 0;
    // Renames without ever replacing an existing file; renaming a file to its own name succeeds
    // and does nothing.
    virtual Status renameIn(const Directory& directory, const std::string& from,
                            const std::string& to) = 0;
    virtual Status writeFileIn(const Directory& directory, const std::string& name,
                               const FileContents& contents, WriteMode mode) = 0;
    virtual Status removeFileIn(const Directory& directory, const std::string& name) = 0;
    // "." names the directory itself.
    virtual Result<FileIdentity> identifyIn(const Directory& directory,
                                            const std::string& name) = 0;
    // Whether the directory's filesystem keeps each file's inode number for as long as the file
    // lives. FUSE shares (sshfs, exfat-fuse) and FAT-like media number files anew as they please.
    virtual bool keepsFileNumbers(const Directory& /*directory*/) { return true; }
    // Whether the two names hold the very same bytes, read to the end; false where either cannot
    // be read whole.
    virtual bool holdSameBytesIn(const Directory& /*directory*/, const std::string& /*first*/,
                                 const std::string& /*second*/) {
        return false;
    }
};

// Whether `entryName` is a temporary file that writeFile makes for a file whose name ends with
// `targetSuffix`.
bool isWriteTemporary(std::string_view entryName, std::string_view targetSuffix);

}  // namespace nameshift::platform
