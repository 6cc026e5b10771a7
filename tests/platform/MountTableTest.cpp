#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ProcMountsVolumeSource.h"

namespace nameshift::platform {
namespace {

using Paths = std::vector<std::string>;

struct MountCase {
    const char* name;
    std::string table;
    Paths volumes;
};

class MountTable : public ::testing::TestWithParam<MountCase> {};

TEST_P(MountTable, KeepsTheVolumesUsersWorkOn) {
    EXPECT_EQ(parseMountTable(GetParam().table), GetParam().volumes);
}

INSTANTIATE_TEST_SUITE_P(
    Tables, MountTable,
    ::testing::Values(
        MountCase{"KernelFilesystemsLeftOut",
                  "proc /proc proc rw 0 0\nsysfs /sys sysfs rw 0 0\n"
                  "cgroup2 /sys/fs/cgroup cgroup2 rw 0 0\ndevpts /dev/pts devpts rw 0 0\n"
                  "/dev/sda1 / ext4 rw 0 0\n",
                  {"/"}},
        MountCase{"RuntimeTmpfsLeftOutButTmpKept",
                  "tmpfs /run tmpfs rw 0 0\ntmpfs /run/user/1000 tmpfs rw 0 0\n"
                  "tmpfs /dev/shm tmpfs rw 0 0\ntmpfs /tmp tmpfs rw 0 0\n",
                  {"/tmp"}},
        MountCase{"RemovableMediaUnderRunMediaKept",
                  "/dev/sdb1 /run/media/ann/STICK vfat rw 0 0\n/dev/sda1 / ext4 rw 0 0\n",
                  {"/", "/run/media/ann/STICK"}},
        MountCase{"SortedByBytesAndEachOnce",
                  "/dev/sda3 /home ext4 rw 0 0\n/dev/sda1 / ext4 rw 0 0\n"
                  "/dev/sda2 /boot ext4 rw 0 0\n/dev/sda3 /home ext4 rw 0 0\n",
                  {"/", "/boot", "/home"}},
        MountCase{"OctalEscapesDecoded",
                  "/dev/sdc1 /media/My\\040Disk\\134x ntfs3 rw 0 0\n",
                  {"/media/My Disk\\x"}},
        MountCase{"SnapImagesLeftOut",
                  "/dev/loop0 /snap/core/1 squashfs ro 0 0\n/dev/sda1 / ext4 rw 0 0\n",
                  {"/"}},
        MountCase{"BrokenLinesSkipped",
                  "garbage\n\n/dev/sda1 / ext4 rw 0 0\nnone relative ext4\n",
                  {"/"}}),
    [](const ::testing::TestParamInfo<MountCase>& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace nameshift::platform
