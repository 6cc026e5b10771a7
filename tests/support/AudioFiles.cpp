#include "AudioFiles.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <string_view>
#include <vector>

#include <taglib/fileref.h>
#include <taglib/tpropertymap.h>
#include <exiv2/exiv2.hpp>

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

// Runs `program` with `arguments`, its output thrown away; its exit status, or -1.
int runTool(const char* program, const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program));
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
    const int spawned = posix_spawnp(&pid, program, &actions, nullptr, argv.data(), environ);
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

int runFfmpeg(const std::vector<std::string>& arguments) {
    return runTool("ffmpeg", arguments);
}

bool endsWith(const std::string& path, std::string_view extension) {
    return path.size() > extension.size() &&
           path.compare(path.size() - extension.size(), std::string::npos, extension) == 0;
}

bool stampExif(const std::string& path, const std::string& date) {
    try {
        const auto image = Exiv2::ImageFactory::open(path);
        image->readMetadata();
        Exiv2::ExifData exif = image->exifData();
        exif["Exif.Photo.DateTimeOriginal"] = date;
        image->setExifData(exif);
        image->writeMetadata();
        return true;
    } catch (const std::exception& error) {
        ADD_FAILURE() << "exiv2 cannot stamp " << path << ": " << error.what();
        return false;
    }
}

}  // namespace

bool DatedFiles::make(const std::string& path, const std::optional<std::string>& date) {
    const bool movie = endsWith(path, ".mp4") || endsWith(path, ".mov");
    const bool heic = endsWith(path, ".heic");
    const std::string made = heic ? path + ".jpg" : path;
    std::vector<std::string> arguments = {"-nostdin", "-loglevel", "error", "-y", "-f", "lavfi"};
    if (movie) {
        arguments.insert(arguments.end(), {"-i", "color=c=red:s=16x16:d=0.04", "-c:v", "mpeg4"});
        if (date) {
            arguments.insert(arguments.end(), {"-metadata", "creation_time=" + *date});
        }
    } else {
        // x265, which heif-enc encodes with, wants a picture larger than a few pixels.
        arguments.insert(arguments.end(), {"-i", "color=c=red:s=64x64", "-frames:v", "1"});
    }
    arguments.push_back(made);
    if (const int status = runFfmpeg(arguments); status != 0) {
        ADD_FAILURE() << "ffmpeg could not make " << made << " (status " << status << ")";
        return false;
    }
    if (movie) {
        return true;
    }
    if (date && !stampExif(made, *date)) {
        return false;
    }
    if (heic) {
        if (const int status = runTool("heif-enc", {"-o", path, made}); status != 0) {
            ADD_FAILURE() << "heif-enc could not make " << path << " (status " << status
                          << "); scripts/install-deps.sh installs it";
            return false;
        }
        ::unlink(made.c_str());
    }
    return true;
}

bool MediaFiles::readsHeif() {
#ifdef EXV_ENABLE_BMFF
    // Spawning fails, with -1, where the tool is not installed; its help exits with a status.
    return runTool("heif-enc", {"--help"}) >= 0;
#else
    return false;
#endif
}

bool MediaFiles::make(const std::string& path, const std::string& input,
                      const std::vector<std::string>& extra, const std::string& make,
                      const std::string& model) {
    const bool heic = endsWith(path, ".heic");
    const std::string made = heic ? path + ".jpg" : path;
    std::vector<std::string> arguments = {"-nostdin", "-loglevel", "error", "-y",
                                          "-f",       "lavfi",     "-i",    input};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    arguments.push_back(made);
    if (const int status = runFfmpeg(arguments); status != 0) {
        ADD_FAILURE() << "ffmpeg could not make " << made << " (status " << status << ")";
        return false;
    }
    if (!make.empty() || !model.empty()) {
        const int status = runTool("exiv2", {"-M", "set Exif.Image.Make " + make, "-M",
                                             "set Exif.Image.Model " + model, "mo", made});
        if (status != 0) {
            ADD_FAILURE() << "exiv2 could not stamp " << made << " (status " << status
                          << "); scripts/install-deps.sh installs it";
            return false;
        }
    }
    // exiv2 writes no HEIF; heif-enc carries the JPEG's EXIF over.
    if (heic) {
        if (const int status = runTool("heif-enc", {"-o", path, made}); status != 0) {
            ADD_FAILURE() << "heif-enc could not make " << path << " (status " << status << ")";
            return false;
        }
        ::unlink(made.c_str());
    }
    return true;
}

std::tm DatedFiles::clock(int year, int month, int day, int hour, int minute, int second) {
    std::tm time{};
    time.tm_year = year - 1900;
    time.tm_mon = month - 1;
    time.tm_mday = day;
    time.tm_hour = hour;
    time.tm_min = minute;
    time.tm_sec = second;
    return time;
}

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
