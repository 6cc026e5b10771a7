#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/TagLibTagReader.h"
#include "engine/TagNaming.h"

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

struct TaggedDirectory {
    TaggedDirectory() {
        path = (std::filesystem::temp_directory_path() / "nameshift-bench-XXXXXX").string();
        if (::mkdtemp(path.data()) == nullptr) {
            std::perror("mkdtemp");
            std::exit(1);
        }
        for (int i = 0; i < kFiles; ++i) {
            const std::string name = "track " + std::to_string(i) + ".mp3";
            const std::string bytes = taggedFile(i);
            const int fd = ::open((path + "/" + name).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (fd < 0 ||
                ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
                std::perror("write");
                std::exit(1);
            }
            ::close(fd);
            names.push_back(name);
        }
    }
    ~TaggedDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }

    std::string path;
    std::vector<std::string> names;
};

const TaggedDirectory& taggedDirectory() {
    static const TaggedDirectory directory;
    return directory;
}

// The floor: open each file, read its first 4 KiB, close it.
void BM_BareOpenReadClose(benchmark::State& state) {
    const TaggedDirectory& directory = taggedDirectory();
    std::vector<char> buffer(4096);
    for (auto _ : state) {
        for (const std::string& name : directory.names) {
            const int fd = ::open((directory.path + "/" + name).c_str(), O_RDONLY);
            benchmark::DoNotOptimize(::read(fd, buffer.data(), buffer.size()));
            ::close(fd);
        }
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}

void BM_TagNaming(benchmark::State& state) {
    const TaggedDirectory& directory = taggedDirectory();
    engine::TagLibTagReader reader;
    const settings::Id3Naming naming{settings::Id3RenameMode::AllOrRules, "%5 %2 - %4 (%1, %6)"};
    for (auto _ : state) {
        std::vector<engine::PlannedChange> changes;
        changes.reserve(directory.names.size());
        for (const std::string& name : directory.names) {
            changes.push_back({changes.size(), name, name});
        }
        engine::applyTagNaming(naming, reader, directory.path, changes);
        benchmark::DoNotOptimize(changes.data());
    }
    state.SetItemsProcessed(state.iterations() * kFiles);
}

BENCHMARK(BM_BareOpenReadClose)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TagNaming)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
