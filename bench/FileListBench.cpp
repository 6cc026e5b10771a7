#include <benchmark/benchmark.h>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>

#include "BenchDirectory.h"
#include "engine/batch/FileList.h"
#include "engine/naming/NameRules.h"
#include "platform/DirEntry.h"
#include "platform/PosixFileSystem.h"

namespace {

using namespace nameshift;

constexpr std::uint32_t kAllAttributes = 0x27;

// The floor the file list is measured against: read the directory, stat every entry, sort by
// name bytes, with nothing else.
void BM_BareReaddirStatSort(benchmark::State& state) {
    const std::string& path = bench::directoryWithFiles(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        DIR* dir = ::opendir(path.c_str());
        std::vector<std::pair<std::string, std::int64_t>> entries;
        while (const dirent* item = ::readdir(dir)) {
            struct stat info {};
            ::fstatat(::dirfd(dir), item->d_name, &info, AT_SYMLINK_NOFOLLOW);
            entries.emplace_back(item->d_name, info.st_size);
        }
        ::closedir(dir);
        std::sort(entries.begin(), entries.end());
        benchmark::DoNotOptimize(entries.data());
    }
}

void BM_FillFileList(benchmark::State& state) {
    const std::string& path = bench::directoryWithFiles(static_cast<int>(state.range(0)));
    platform::PosixFileSystem fileSystem;
    engine::FileList list(fileSystem);
    list.setAttributeMask(kAllAttributes);
    list.setSortKey(settings::choiceAt<settings::SortKey>(static_cast<int>(state.range(1))));
    for (auto _ : state) {
        list.fill(path);
        benchmark::DoNotOptimize(list.rowCount());
    }
    static const char* const kKeys[] = {"Date", "Extension", "Name", "Size"};
    state.SetLabel(kKeys[state.range(1)]);
}

void BM_ComputeNewNamesEveryRule(benchmark::State& state) {
    std::vector<std::string> names;
    for (int i = 0; i < state.range(0); ++i) {
        names.push_back("My Song [" + std::to_string(i) + "] ~ live-take \xc3\xa9t\xc3\xa9.mp3");
    }
    settings::RenameSettings rules;
    rules.changePrefix = true;
    rules.prefixText = "new ";
    rules.prefixPosition = settings::Position::Beginning;
    rules.useCounter = true;
    rules.counterStart = "1";
    rules.counterIncrement = "1";
    rules.counterDigitsIndex = 3;
    rules.counterPosition = settings::Position::End;
    rules.changeExtension = true;
    rules.extensionText = "ogg";
    rules.extensionPosition = settings::Position::Replace;
    rules.removeSpaces = rules.removeBrackets = rules.removeTildes = rules.removeHyphens = true;
    rules.removeString = true;
    rules.stringToRemove = "live";
    rules.replaceString = true;
    rules.replaceFrom = "Song";
    rules.replaceWith = "Track";
    rules.lowerCase = rules.upperCase = rules.firstLetterUpper = true;
    for (auto _ : state) {
        std::vector<std::string> working = names;
        engine::applyNameRules(rules, working);
        benchmark::DoNotOptimize(working.data());
    }
}

BENCHMARK(BM_BareReaddirStatSort)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillFileList)
    ->ArgsProduct({{1000, 10000, 100000}, {0, 1, 2, 3}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ComputeNewNamesEveryRule)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
