#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempDir.h"
#include "platform/PosixFileSystem.h"
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

// Reading the table asks no volume anything, so a hung one cannot stop it; asking a volume is
// a check of its own, which keeps directories alone.
TEST(ProcMountsVolumeSourceTest, ListsWithoutAskingAndAsksEachVolumeOnItsOwn) {
    testing::TempDir dir;
    dir.makeDirectory("disk");
    dir.write("hosts");
    dir.write("mounts", "/dev/sda1 " + dir.file("disk") + " ext4 rw 0 0\n/dev/sda1 " +
                            dir.file("hosts") + " ext4 rw 0 0\nhost:/share " + dir.file("gone") +
                            " nfs4 rw 0 0\n");
    PosixFileSystem fileSystem;
    ProcMountsVolumeSource source(fileSystem, dir.file("mounts"));
    const Result<std::vector<std::string>> volumes = source.mountedVolumes();
    ASSERT_TRUE(volumes.ok());
    EXPECT_EQ(*volumes, (Paths{dir.file("disk"), dir.file("gone"), dir.file("hosts")}));
    EXPECT_EQ(source.volumeCheck(dir.file("disk"))(), VolumeAnswer::Ready);
    EXPECT_EQ(source.volumeCheck(dir.file("hosts"))(), VolumeAnswer::NotBrowsable);
    EXPECT_EQ(source.volumeCheck(dir.file("gone"))(), VolumeAnswer::NotBrowsable);
}

}  // namespace
}  // namespace nameshift::platform
