#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <exiv2/exiv2.hpp>

#include "engine/contents/CachedTagReader.h"
#include "engine/contents/TagLibTagReader.h"
#include "engine/naming/TagNaming.h"
#include "engine/naming/TagPrefetcher.h"

namespace {

using namespace nameshift;

constexpr int kFiles = 2000;

std::string synchsafe(std::size_t value) {
    std::string out;
    for (int shift = 21; shift >= 0; shift -= 7) {
        out += static_cast<char>((value >> shift) & 0x7F);
    }
    return out;
}

std::string textFrame(const char* id, const std::string& text) {
    const std::string data = '\0' + text;  // Latin-1
    std::string size;
    for (int shift = 24; shift >= 0; shift -= 8) {
        size += static_cast<char>((data.size() >> shift) & 0xFF);
    }
    return id + size + std::string(2, '\0') + data;
}

// An MP3 as taggers leave them: an ID3v2.3 tag with padding, some audio, an ID3v1 tag at the end.
std::string taggedFile(int i) {
    std::string frames = textFrame("TALB", "Album " + std::to_string(i / 12)) +
                         textFrame("TPE1", "Artist " + std::to_string(i % 97)) +
                         textFrame("TIT2", "Title number " + std::to_string(i)) +
                         textFrame("TRCK", std::to_string(i % 12 + 1) + "/12") +
                         textFrame("TYER", std::to_string(1960 + i % 60)) +
                         textFrame("TDAT", "0101");
    frames.append(1024, '\0');
    std::string file = "ID3\x03" + std::string(2, '\0') + synchsafe(frames.size()) + frames;
    std::string audio = "\xFF\xFB\x90";
    audio.resize(417, '\0');
    for (int k = 0; k < 10; ++k) {
        file += audio;
    }
    std::string v1 = "TAG";
    v1.resize(128, '\0');
    return file + v1;
}

// A directory of kFiles files, named `stem` and a number, each holding `bytes(i)`.
struct TaggedDirectory {
    template <typename Bytes>
    TaggedDirectory(const std::string& stem, const Bytes& bytes) {
        path = (std::filesystem::temp_directory_path() / "nameshift-bench-XXXXXX").string();
        if (::mkdtemp(path.data()) == nullptr) {
            std::perror("mkdtemp");
            std::exit(1);
        }
        for (int i = 0; i < kFiles; ++i) {
            const std::string name = stem + std::to_string(i) + extension(stem);
            const std::string content = bytes(i);
            const int fd = ::open((path + "/" + name).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (fd < 0 || ::write(fd, content.data(), content.size()) !=
                              static_cast<ssize_t>(content.size())) {
                std::perror("write");
                std::exit(1);
            }
            ::close(fd);
            names.push_back(name);
        }
    }
    TaggedDirectory(const TaggedDirectory&) = delete;
    TaggedDirectory& operator=(const TaggedDirectory&) = delete;
    ~TaggedDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }

    static std::string extension(const std::string& stem) { return stem.substr(stem.rfind('.')); }

    std::string path;
    std::vector<std::string> names;
};

// One file as ffmpeg makes it from `arguments` into a file named `name`, then, for a picture,
// stamped with the date it was taken; each file of its directory is a copy of it.
std::string madeFile(const std::string& arguments, const std::string& name) {
    const std::string path = (std::filesystem::temp_directory_path() / name).string();
    const std::string command =
        "ffmpeg -nostdin -loglevel error -y " + arguments + " '" + path + "'";
    if (std::system(command.c_str()) != 0) {
        std::fprintf(stderr, "ffmpeg could not make %s\n", path.c_str());
        std::exit(1);
    }
    if (name.ends_with(".jpg")) {
        const auto image = Exiv2::ImageFactory::open(path);
        image->readMetadata();
        Exiv2::ExifData exif = image->exifData();
        exif["Exif.Image.Make"] = "Bench";
        exif["Exif.Photo.DateTimeOriginal"] = "2021:03:04 05:06:07";
        image->setExifData(exif);
        image->writeMetadata();
    }
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::filesystem::remove(path);
    return bytes;
}

// The formats, each with the name format it is named by, and its directory, made when first
// wanted: FLAC and M4A carry the tags ffmpeg writes; the JPEG is a 320x240 photo with EXIF.
struct Corpus {
    const char* format;
    const char* stem;
    const char* ffmpeg;
};

constexpr std::array<Corpus, 4> kCorpora = {{
    {"%5 %2 - %4 (%1, %6)", "track .mp3", nullptr},
    {"%2 - %4 (%1)", "track .flac",
     "-f lavfi -i anullsrc=cl=mono:r=8000 -t 0.5 -c:a flac -metadata artist=Artist "
     "-metadata title=Title -metadata album=Album"},
    {"%2 - %4 (%1)", "track .m4a",
     "-f lavfi -i anullsrc=cl=mono:r=8000 -t 0.5 -c:a aac -metadata artist=Artist "
     "-metadata title=Title -metadata album=Album"},
    {"Shot %t", "photo .jpg", "-f lavfi -i testsrc=s=320x240 -frames:v 1"},
}};

const TaggedDirectory& taggedDirectory(std::size_t corpus) {
    static std::array<std::unique_ptr<TaggedDirectory>, kCorpora.size()> directories;
    if (!directories[corpus]) {
        const Corpus& c = kCorpora[corpus];
        if (c.ffmpeg == nullptr) {
            directories[corpus] = std::make_unique<TaggedDirectory>(c.stem, taggedFile);
        } else {
            const std::string bytes =
                madeFile(c.ffmpeg, "nameshift-bench" + TaggedDirectory::extension(c.stem));
            directories[corpus] = std::make_unique<TaggedDirectory>(
                c.stem, [&bytes](int) { return std::string(bytes); });
        }
    }
    return *directories[corpus];
}

// The floor: open each file, read the bytes its reader needs, close it. An MP3's ID3v2 tag is in
// its first 4 KiB and its ID3v1 and APE tags in its last 160 bytes, which only the file's size
// finds; the other formats' readers take the file's head, and these files are smaller.
void BM_BareOpenReadClose(benchmark::State& state) {
    const auto corpus = static_cast<std::size_t>(state.range(0));
    const TaggedDirectory& directory = taggedDirectory(corpus);
    const bool mp3 = corpus == 0;
    std::vector<char> buffer(mp3 ? 4096 : 64 << 10);
    constexpr off_t kTail = 160;
    state.SetLabel(TaggedDirectory::extension(kCorpora[corpus].stem));
    for (auto _ : state) {
        for (const std::string& name : directory.names) {
            const int fd = ::open((directory.path + "/" + name).c_str(), O_RDONLY);
            benchmark::DoNotOptimize(::read(fd, buffer.data(), buffer.size()));
            struct stat info {};
            if (mp3 && ::fstat(fd, &info) == 0 && info.st_size > kTail) {
                benchmark::DoNotOptimize(::pread(fd, buffer.data(), kTail, info.st_size - kTail));
            }
            ::close(fd);
        }
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}

// One naming of every file of the corpus by its format through `reader`.
void nameFiles(benchmark::State& state, std::size_t corpus, engine::TagReader& reader) {
    const TaggedDirectory& directory = taggedDirectory(corpus);
    std::vector<engine::PlannedChange> changes;
    changes.reserve(directory.names.size());
    for (const std::string& name : directory.names) {
        changes.push_back({changes.size(), name, name});
    }
    engine::applyTagNaming({settings::Id3RenameMode::AllOrRules, kCorpora[corpus].format}, reader,
                           directory.path, changes);
    benchmark::DoNotOptimize(changes.data());
    if (changes.front().newName == changes.front().oldName) {
        state.SkipWithError("the files were not named by their tags");
    }
}

// The first naming of the files on one thread: each file read and kept.
void BM_FirstPass(benchmark::State& state) {
    const auto corpus = static_cast<std::size_t>(state.range(0));
    taggedDirectory(corpus);
    state.SetLabel(TaggedDirectory::extension(kCorpora[corpus].stem));
    for (auto _ : state) {
        engine::CachedTagReader reader(std::make_unique<engine::TagLibTagReader>());
        nameFiles(state, corpus, reader);
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}

// The tags of every file of the corpus read ahead through clones of `reader` on `threads`
// threads, as the window's column reads them, until the last name is ready.
void readAhead(benchmark::State& state, std::size_t corpus, const engine::TagReader& reader,
               std::size_t threads) {
    const TaggedDirectory& directory = taggedDirectory(corpus);
    std::mutex mutex;
    std::condition_variable woken;
    bool done = false;
    engine::TagPrefetcher prefetcher(
        reader.clone(),
        [&](std::uint64_t) {
            const std::lock_guard<std::mutex> lock(mutex);
            done = true;
            woken.notify_one();
        },
        threads);
    const std::shared_ptr<const engine::PrefetchedTags> batch = prefetcher.start(
        engine::TagNamer({settings::Id3RenameMode::AllOrRules, kCorpora[corpus].format},
                         std::string(settings::kDefaultDateFormat)),
        directory.path, directory.names);
    batch->wakeAt(batch->size());
    std::unique_lock<std::mutex> lock(mutex);
    woken.wait(lock, [&] { return done || batch->readyCount() == batch->size(); });
    if (batch->abandoned() || !batch->at(0).complete) {
        state.SkipWithError("the files were not named by their tags");
    }
}

// The first naming of the files as the window makes it: read ahead on the given number of
// threads, each file read and kept.
void BM_ReadAheadFirstPass(benchmark::State& state) {
    const auto corpus = static_cast<std::size_t>(state.range(0));
    const auto threads = static_cast<std::size_t>(state.range(1));
    taggedDirectory(corpus);
    state.SetLabel(TaggedDirectory::extension(kCorpora[corpus].stem) + " on " +
                   std::to_string(threads));
    for (auto _ : state) {
        const engine::CachedTagReader reader(std::make_unique<engine::TagLibTagReader>());
        readAhead(state, corpus, reader, threads);
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}

// The files of a share or a card, which answers each open a while later however fast it then
// reads: TagLib's reader behind half a millisecond of waiting per file.
class DistantFiles final : public engine::TagReader {
public:
    engine::TagTexts read(const std::string& path) override {
        std::this_thread::sleep_for(std::chrono::microseconds(500));
        return files_.read(path);
    }
    std::unique_ptr<engine::TagReader> clone() const override {
        return std::make_unique<DistantFiles>();
    }

private:
    engine::TagLibTagReader files_;
};

// The first pass over distant MP3s on the given number of threads: what several reads in flight
// save where the device, not the processor, sets the pace.
void BM_ReadAheadDistantFiles(benchmark::State& state) {
    const auto threads = static_cast<std::size_t>(state.range(0));
    taggedDirectory(0);
    state.SetLabel(".mp3 on " + std::to_string(threads));
    for (auto _ : state) {
        const engine::CachedTagReader reader(std::make_unique<DistantFiles>());
        readAhead(state, 0, reader, threads);
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}

// Every naming after the first, which the window read ahead, as a keystroke makes it: no file
// opened, as the count of bytes read from them shows.
void BM_SecondPass(benchmark::State& state) {
    const auto corpus = static_cast<std::size_t>(state.range(0));
    auto files = std::make_unique<engine::TagLibTagReader>();
    const engine::TagLibTagReader& counted = *files;
    engine::CachedTagReader reader(std::move(files));
    readAhead(state, corpus, reader, engine::TagPrefetcher::kMostThreads);
    const std::uint64_t firstPassBytes = counted.bytesRead();
    state.SetLabel(TaggedDirectory::extension(kCorpora[corpus].stem));
    for (auto _ : state) {
        nameFiles(state, corpus, reader);
    }
    state.counters["bytes_read"] = static_cast<double>(counted.bytesRead() - firstPassBytes);
    state.SetItemsProcessed(state.iterations() * kFiles);
}

BENCHMARK(BM_BareOpenReadClose)->DenseRange(0, kCorpora.size() - 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FirstPass)->DenseRange(0, kCorpora.size() - 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadAheadFirstPass)
    ->ArgsProduct({benchmark::CreateDenseRange(0, kCorpora.size() - 1, 1), {1, 2, 4}})
    // The reading threads' work, which the CPU time of the waiting one leaves out.
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadAheadDistantFiles)
    ->Arg(1)
    ->Arg(2)
    ->Arg(4)
    ->Iterations(2)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SecondPass)->DenseRange(0, kCorpora.size() - 1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
