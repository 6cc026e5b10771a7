#include <benchmark/benchmark.h>

#include <QApplication>
#include <QHeaderView>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "BenchDirectory.h"
#include "engine/FileList.h"
#include "platform/DirEntry.h"
#include "platform/PosixFileSystem.h"
#include "ui/FileListView.h"
#include "ui/MainDialog.h"
#include "ui/PreviewDialog.h"
#include "ui/Resources.h"

namespace {

using namespace nameshift;

constexpr int kFiles = 100000;
constexpr std::uint32_t kAllAttributes =
    platform::attribute::kArchive | platform::attribute::kReadOnly | platform::attribute::kHidden |
    platform::attribute::kSystem;

class SilentMessages final : public platform::MessageBox {
public:
    using MessageBox::show;
    platform::Answer show(const platform::Message&) override { return platform::Answer::Ok; }
};

// The file list as the main dialog shows it: a visible view over the engine's list.
struct ShownFileList {
    ShownFileList() {
        list.setAttributeMask(kAllAttributes);
        list.setSortKey(settings::SortKey::Name);
        view.resize(300, 400);
        view.show();
    }

    void fill(const std::string& path) {
        list.fill(path);
        view.reload();
        view.doItemsLayout();
        QCoreApplication::processEvents();
    }

    platform::PosixFileSystem fileSystem;
    SilentMessages messages;
    engine::FileList list{fileSystem, messages};
    ui::FileListView view{list};
};

// Reading 100,000 names from disk, sorting them and showing them in the list.
void BM_FillFileListView(benchmark::State& state) {
    const std::string& path = bench::directoryWithFiles(kFiles);
    ShownFileList shown;
    for (auto _ : state) {
        shown.fill(path);
        benchmark::DoNotOptimize(shown.view.model()->rowCount());
    }
    state.counters["rows"] = static_cast<double>(shown.list.rowCount());
}

void BM_SelectAllRows(benchmark::State& state) {
    ShownFileList shown;
    shown.fill(bench::directoryWithFiles(kFiles));
    for (auto _ : state) {
        shown.view.selectAllRows(true);
        QCoreApplication::processEvents();
        state.PauseTiming();
        if (shown.list.tickedCount() != static_cast<std::size_t>(kFiles)) {
            state.SkipWithError("not every row was ticked");
        }
        shown.view.selectAllRows(false);
        state.ResumeTiming();
    }
}

void BM_DeselectAllRows(benchmark::State& state) {
    ShownFileList shown;
    shown.fill(bench::directoryWithFiles(kFiles));
    for (auto _ : state) {
        state.PauseTiming();
        shown.view.selectAllRows(true);
        state.ResumeTiming();
        shown.view.selectAllRows(false);
        QCoreApplication::processEvents();
    }
    if (shown.list.tickedCount() != 0) {
        state.SkipWithError("rows stayed ticked");
    }
}

// Handing 100,000 pairs to a new preview dialog and showing it, as the preview command does.
void BM_OpenPreviewDialog(benchmark::State& state) {
    std::vector<std::string> oldNames;
    std::vector<std::string> newNames;
    for (int i = 0; i < kFiles; ++i) {
        oldNames.push_back("Track " + std::to_string(i) + " (live).mp3");
        newNames.push_back("Artist - Album - " + std::to_string(i) + " - Track.mp3");
    }
    for (auto _ : state) {
        ui::PreviewDialog dialog(nullptr, [](QDialog& shown) {
            shown.show();
            QCoreApplication::processEvents();
            shown.hide();
        });
        for (std::size_t i = 0; i < oldNames.size(); ++i) {
            dialog.addPair(oldNames[i], newNames[i]);
        }
        static_cast<engine::PreviewDisplay&>(dialog).show();
        benchmark::DoNotOptimize(dialog.list()->header()->sectionSize(1));
    }
}

class NoTags final : public engine::TagReader {
public:
    engine::TagTexts read(const std::string& /*path*/) override { return {}; }
};

class RootOnly final : public platform::VolumeSource {
public:
    platform::Result<std::vector<std::string>> mountedVolumes() override {
        return std::vector<std::string>{"/"};
    }
};

// One keystroke in the prefix edit until the New Name column is drawn again, with 100,000 files
// listed and every one ticked.
void BM_KeystrokeToNewNames(benchmark::State& state) {
    const std::string& path = bench::directoryWithFiles(kFiles);
    const std::string settingsDirectory =
        (std::filesystem::temp_directory_path() / "nameshift-bench-settings").string();
    std::filesystem::create_directories(settingsDirectory);
    platform::PosixFileSystem fileSystem;
    SilentMessages messages;
    NoTags tags;
    RootOnly volumes;
    ui::MainDialogServices services(fileSystem, messages, tags, volumes);
    services.splashMilliseconds = 0;
    services.settingsDirectory = settingsDirectory;
    services.startFolder = path;
    ui::MainDialog dialog(std::move(services));
    dialog.startUp();
    dialog.resize(1200, 700);
    dialog.show();
    const ui::MainDialogControls& c = dialog.controls();
    c.changePrefix->click();
    c.selectAll->click();
    c.prefixEdit->setText(QStringLiteral("p"));
    dialog.showNewNames();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        if (c.prefixEdit->text().size() > 100) {
            state.PauseTiming();
            c.prefixEdit->setText(QStringLiteral("p"));
            dialog.showNewNames();
            QCoreApplication::processEvents();
            state.ResumeTiming();
        }
        c.prefixEdit->insert(QStringLiteral("a"));
        while (dialog.newNamesPending()) {
            QCoreApplication::processEvents();
        }
        c.fileList->viewport()->repaint();
    }
    if (dialog.session().fileList.tickedCount() != static_cast<std::size_t>(kFiles)) {
        state.SkipWithError("not every row was ticked");
    }
    std::filesystem::remove_all(settingsDirectory);
}

BENCHMARK(BM_FillFileListView)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SelectAllRows)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DeselectAllRows)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenPreviewDialog)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_KeystrokeToNewNames)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    nameshift::ui::loadResources();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
