#include "AudioFiles.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <array>
#include <string_view>
#include <vector>

#include <taglib/fileref.h>
#include <taglib/tpropertymap.h>

extern char** environ;

namespace nameshift::testing {
namespace {

struct Encoding {
    std::string_view extension;
    std::string_view codec;
    std::string_view rate;
};

// Each format at the lowest rate its encoder takes, to keep the files a few kilobytes.
constexpr std::array<Encoding, 12> kEncodings = {{
    {".flac", "flac", "8000"},
    {".ogg", "libvorbis", "8000"},
    {".opus", "libopus", "8000"},
    {".spx", "libspeex", "8000"},
    {".m4a", "aac", "8000"},
    {".m4b", "aac", "8000"},
    {".mp4", "aac", "8000"},
    {".wma", "wmav2", "8000"},
    {".wav", "pcm_s16le", "8000"},
    {".aiff", "pcm_s16be", "8000"},
    {".wv", "wavpack", "8000"},
    {".mp3", "libmp3lame", "8000"},
}};

const Encoding* encodingOf(const std::string& path) {
    for (const Encoding& encoding : kEncodings) {
        if (path.size() > encoding.extension.size() &&
            path.compare(path.size() - encoding.extension.size(), std::string::npos,
                         encoding.extension) == 0) {
            return &encoding;
        }
    }
    return nullptr;
}

// Runs ffmpeg with `arguments`, its output thrown away; its exit status, or -1.
int runFfmpeg(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>("ffmpeg"));
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, "ffmpeg", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        return -1;
    }
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) {
        return -1;
    }
    return WEXITSTATUS(status);
}

}  // namespace

bool AudioFiles::make(const std::string& path, const Properties& properties) {
    const Encoding* encoding = encodingOf(path);
    if (encoding == nullptr) {
        ADD_FAILURE() << "no recipe for " << path;
        return false;
    }
    const int status = runFfmpeg({"-nostdin", "-loglevel", "error", "-y", "-f", "lavfi", "-i",
                                  "anullsrc=cl=mono:r=" + std::string(encoding->rate), "-t", "0.05",
                                  "-map_metadata", "-1", "-fflags", "+bitexact", "-c:a",
                                  std::string(encoding->codec), path});
    if (status != 0) {
        ADD_FAILURE() << "ffmpeg could not make " << path << " (status " << status
                      << "); scripts/install-deps.sh installs it";
        return false;
    }
    if (properties.empty()) {
        return true;
    }
    TagLib::FileRef file(path.c_str(), false);
    if (file.isNull()) {
        ADD_FAILURE() << "TagLib cannot open " << path;
        return false;
    }
    TagLib::PropertyMap map;
    for (const auto& [key, value] : properties) {
        map.insert(key, TagLib::StringList(TagLib::String(value, TagLib::String::UTF8)));
    }
    const TagLib::PropertyMap refused = file.file()->setProperties(map);
    if (!refused.isEmpty() || !file.save()) {
        ADD_FAILURE() << "TagLib cannot tag " << path << ": " << refused.toString().to8Bit(true);
        return false;
    }
    return true;
}

}  // namespace nameshift::testing
