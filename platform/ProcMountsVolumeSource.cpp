#include "platform/ProcMountsVolumeSource.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <sstream>

namespace nameshift::platform {
namespace {

// Filesystems that the kernel or the system keeps for itself; nobody renames files there.
constexpr std::array<std::string_view, 26> kVirtualTypes = {
    "autofs",    "binfmt_misc", "bpf",      "cgroup",          "cgroup2",     "configfs",
    "debugfs",   "devpts",      "devtmpfs", "efivarfs",        "fusectl",     "hugetlbfs",
    "mqueue",    "nsfs",        "proc",     "pstore",          "rpc_pipefs",  "securityfs",
    "selinuxfs", "sysfs",       "tracefs",  "fuse.gvfsd-fuse", "fuse.portal", "nfsd",
    "ramfs",     "rootfs"};

// Where the system mounts its own runtime state. Removable media below /run/media stay.
constexpr std::array<std::string_view, 4> kSystemTrees = {"/proc", "/sys", "/dev", "/run"};

bool isBelow(std::string_view path, std::string_view tree) {
    return path == tree ||
           (path.size() > tree.size() && path.starts_with(tree) && path[tree.size()] == '/');
}

bool isUserVolume(std::string_view type, std::string_view mountPath) {
    if (std::find(kVirtualTypes.begin(), kVirtualTypes.end(), type) != kVirtualTypes.end()) {
        return false;
    }
    if (isBelow(mountPath, "/run/media")) {
        return true;
    }
    if (type == "squashfs" && isBelow(mountPath, "/snap")) {
        return false;  // one read-only image per installed snap
    }
    return std::none_of(kSystemTrees.begin(), kSystemTrees.end(),
                        [&](std::string_view tree) { return isBelow(mountPath, tree); });
}

// The mount table writes space, tab, newline and backslash in a path as octal escapes.
std::string unescape(std::string_view field) {
    std::string result;
    result.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const std::string_view digits = field.substr(i + 1, 3);
            if (std::all_of(digits.begin(), digits.end(),
                            [](char c) { return c >= '0' && c <= '7'; })) {
                result.push_back(static_cast<char>((digits[0] - '0') * 64 + (digits[1] - '0') * 8 +
                                                   (digits[2] - '0')));
                i += 3;
                continue;
            }
        }
        result.push_back(field[i]);
    }
    return result;
}

}  // namespace

std::vector<std::string> parseMountTable(std::string_view table) {
    std::vector<std::string> paths;
    std::istringstream lines{std::string(table)};
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string device;
        std::string mountPath;
        std::string type;
        if (!(fields >> device >> mountPath >> type)) {
            continue;
        }
        mountPath = unescape(mountPath);
        if (mountPath.empty() || mountPath.front() != '/' || !isUserVolume(type, mountPath)) {
            continue;
        }
        paths.push_back(std::move(mountPath));
    }
    std::sort(paths.begin(), paths.end());
    paths.erase(std::unique(paths.begin(), paths.end()), paths.end());
    return paths;
}

Result<std::vector<std::string>> ProcMountsVolumeSource::mountedVolumes() {
    const Result<std::string> table = fileSystem_.readFile(mountTable_, kMountTableMaxBytes);
    if (!table.ok()) {
        return table.status();
    }
    return parseMountTable(*table);
}

VolumeCheck ProcMountsVolumeSource::volumeCheck(const std::string& mountPath) const {
    // Containers bind single files (such as /etc/hosts) over the image; only directories are
    // volumes.
    return [mountPath] {
        struct stat info {};
        return ::stat(mountPath.c_str(), &info) == 0 && S_ISDIR(info.st_mode)
                   ? VolumeAnswer::Ready
                   : VolumeAnswer::NotBrowsable;
    };
}

}  // namespace nameshift::platform
