#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QLineEdit>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "BenchDirectory.h"
#include "BenchFakes.h"
#include "engine/batch/FileList.h"
#include "platform/DirEntry.h"
#include "platform/PosixFileSystem.h"
#include "ui/FileListView.h"
#include "ui/FilePanel.h"
#include "ui/MainDialog.h"
#include "ui/MoreRulesPanel.h"
#include "ui/NewNameColumn.h"
#include "ui/PreviewDialog.h"
#include "ui/Resources.h"
#include "ui/RulePanel.h"

namespace {

using namespace nameshift;
using bench::RootOnly;
using bench::SlowTags;

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
    engine::FileList list{fileSystem};
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

// Which edit the keystrokes go to: the prefix, or the pattern of a regular-expression replace
// whose replacement uses its group; or the prefix while names are built from tags, each file's
// read waiting a few microseconds; or a name template with a padded counter.
enum class TypedField { Prefix, Pattern, PrefixNamedByTags, Template };

// The main dialog over 100,000 listed files, every one ticked, with a prefix or a pattern being
// typed.
class TypingDialog final : public QObject {
public:
    explicit TypingDialog(TypedField field = TypedField::Prefix)
        : field_(field),
          settingsDirectory_(
              (std::filesystem::temp_directory_path() / "nameshift-bench-settings").string()) {
        std::filesystem::create_directories(settingsDirectory_);
        if (field_ == TypedField::PrefixNamedByTags) {
            tags_.delay = std::chrono::microseconds(5);
        }
        ui::MainDialogServices services(fileSystem_, messages_, tags_, volumes_);
        services.splashMilliseconds = 0;
        services.settingsDirectory = settingsDirectory_;
        services.startFolder = bench::directoryWithFiles(kFiles);
        dialog_ = std::make_unique<ui::MainDialog>(std::move(services));
        dialog_->startUp();
        dialog_->resize(1200, 700);
        dialog_->show();
        const ui::FilePanelControls& files = dialog_->filePanel().controls();
        const ui::RuleControls& rules = dialog_->rulePanel().controls();
        if (field_ == TypedField::Template) {
            template_ = dialog_->rulePanel().moreRules().controls().nameTemplate->edit();
        } else if (field_ != TypedField::Pattern) {
            rules.changePrefix->click();
        } else {
            dialog_->rulePanel().moreRules().controls().replaceRegex->click();
            rules.replaceString->click();
            rules.replaceWithEdit->setText(QStringLiteral("#$1"));
        }
        edit_ = template_ != nullptr            ? template_
                : field_ != TypedField::Pattern ? rules.prefixEdit
                                                : rules.replaceFromEdit;
        files.selectAll->click();
        restartPrefix();
        if (field_ == TypedField::PrefixNamedByTags) {
            // After the prefix is set, whose finishing would read every file.
            rules.supportId3->click();
        }
        files.fileList->viewport()->installEventFilter(this);
    }
    ~TypingDialog() override {
        dialog_.reset();
        std::filesystem::remove_all(settingsDirectory_);
    }

    ui::MainDialog& dialog() { return *dialog_; }

    // Keeps the prefix short, so that every keystroke costs the same; not timed.
    void restartPrefixIfLong(benchmark::State& state) {
        if (edit_->text().size() > 100) {
            state.PauseTiming();
            restartPrefix();
            state.ResumeTiming();
        }
    }

    // One keystroke, then the event loop runs until `done` holds and the file list has been
    // painted since; false if that takes longer than any keystroke may.
    template <typename Done>
    bool typeUntilPainted(Done done) {
        done_ = done;
        paintedWhenDone_ = false;
        edit_->insert(QStringLiteral("a"));
        QElapsedTimer waited;
        waited.start();
        while (!paintedWhenDone_) {
            QCoreApplication::processEvents();
            if (waited.elapsed() > 5000) {
                return false;
            }
        }
        return true;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && done_ && done_()) {
            paintedWhenDone_ = true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void restartPrefix() {
        // The pattern takes each name's first run of digits as its group; each keystroke then
        // asks for one more letter after it.
        edit_->setText(field_ == TypedField::Template  ? QStringLiteral("{n:4} p")
                       : field_ != TypedField::Pattern ? QStringLiteral("p")
                                                       : QStringLiteral("([0-9]+)"));
        dialog_->newNames().finish();
        QCoreApplication::processEvents();
    }

    TypedField field_;
    QLineEdit* edit_ = nullptr;
    QLineEdit* template_ = nullptr;
    std::string settingsDirectory_;
    platform::PosixFileSystem fileSystem_;
    SilentMessages messages_;
    SlowTags tags_;
    RootOnly volumes_;
    std::unique_ptr<ui::MainDialog> dialog_;
    std::function<bool()> done_;
    bool paintedWhenDone_ = false;
};

// What the user waits for: one keystroke in the prefix edit until the rows on screen of the New
// Name column are painted with their new names, with 100,000 files listed and every one ticked.
// The other rows are computed afterwards between events; each keystroke here starts with them
// finished, untimed, as they are when a user types at a human pace.
void BM_KeystrokeToVisibleNewNames(benchmark::State& state) {
    TypingDialog typing(static_cast<TypedField>(state.range(0)));
    ui::MainDialog& dialog = typing.dialog();
    for (auto _ : state) {
        typing.restartPrefixIfLong(state);
        if (!typing.typeUntilPainted([&] { return !dialog.newNames().visiblePending(); })) {
            state.SkipWithError("the rows on screen were not painted");
            break;
        }
        state.PauseTiming();
        dialog.newNames().finish();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    if (dialog.session().fileList.tickedCount() != static_cast<std::size_t>(kFiles)) {
        state.SkipWithError("not every row was ticked");
    }
}

// The same keystroke with names built from tags, as a user types on over a slow disk: the rows on
// screen read theirs at once, the other files are read on another thread, and the keystroke
// waits for no reading of the one before. Nothing is finished between keystrokes, which would
// read every file.
void BM_KeystrokeToVisibleTagNames(benchmark::State& state) {
    TypingDialog typing(TypedField::PrefixNamedByTags);
    ui::MainDialog& dialog = typing.dialog();
    for (auto _ : state) {
        if (!typing.typeUntilPainted([&] { return !dialog.newNames().visiblePending(); })) {
            state.SkipWithError("the rows on screen were not painted");
            break;
        }
    }
    if (!dialog.session().rules.supportId3) {
        state.SkipWithError("names were not built from tags");
    }
}

// The same keystroke until every row of the column is computed and the list painted after.
void BM_KeystrokeToAllNewNames(benchmark::State& state) {
    TypingDialog typing;
    ui::MainDialog& dialog = typing.dialog();
    for (auto _ : state) {
        typing.restartPrefixIfLong(state);
        if (!typing.typeUntilPainted([&] { return !dialog.newNames().pending(); })) {
            state.SkipWithError("the column was not finished");
            break;
        }
    }
    if (dialog.session().fileList.tickedCount() != static_cast<std::size_t>(kFiles)) {
        state.SkipWithError("not every row was ticked");
    }
}

BENCHMARK(BM_FillFileListView)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SelectAllRows)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DeselectAllRows)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_OpenPreviewDialog)->Unit(benchmark::kMillisecond)->UseRealTime();
// Arg 0 types into the prefix edit, 1 into the pattern of a regular-expression replace, 3 into
// a name template.
BENCHMARK(BM_KeystrokeToVisibleNewNames)
    ->Arg(static_cast<int>(TypedField::Prefix))
    ->Arg(static_cast<int>(TypedField::Pattern))
    ->Arg(static_cast<int>(TypedField::Template))
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_KeystrokeToVisibleTagNames)
    ->Iterations(20)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_KeystrokeToAllNewNames)->Unit(benchmark::kMillisecond)->UseRealTime();

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
