#include "ui/FileListing.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <optional>

#include "ui/DirectoryBrowser.h"

namespace nameshift::ui {
namespace {

// Ticks the rows whose files `wanted` picks, leaving the other rows' ticks as they are.
template <typename Wanted>
void tickWhere(engine::FileList& list, const Wanted& wanted) {
    for (std::size_t row = 0; row < list.rowCount(); ++row) {
        if (wanted(list.row(row))) {
            list.setTicked(row, true);
        }
    }
}

}  // namespace

void FileListing::fill() {
    // The one place the session learns its directory: the commands work where the listed files
    // are, whatever the browser showed for a moment.
    session_.directory = files_.controls().browser->currentPath();
    // Names given by position belong to the listing they were given for.
    session_.listedNames.reset();
    session_.fileList.setAttributeMask(session_.rules.attributeMask());
    session_.fileList.setSortKey(session_.rules.sortKey);
    session_.fileList.setNaturalOrder(session_.rules.naturalOrder);
    session_.fileList.setSubfolderDepth(session_.rules.subfolderDepth());
    session_.fileList.setFilters(session_.rules.includeFilter, session_.rules.excludeFilter);
    // Refilling may show a message, and no part of the column may be computed meanwhile.
    newNames_.drop();
    const bool listed = refill(engine::Refill::KeepingMask);
    if (!listed && leaveGoneDirectory()) {
        return;
    }
    if (listed) {
        files_.controls().browser->tree()->offerSubdirectories(session_.directory,
                                                               session_.fileList.subdirectories());
    }
    show();
}

bool FileListing::refill(engine::Refill how) {
    const engine::ListingStatus listed = how == engine::Refill::KeepingMask
                                             ? session_.fileList.applyFileMask(session_.directory)
                                             : session_.fileList.fill(session_.directory);
    if (listed.problem == engine::ListingStatus::Problem::NoAttributes) {
        messages_.show(engine::noFileAttributeMessage());
    } else if (listed.problem == engine::ListingStatus::Problem::FilterTooSlow) {
        // A filter that cannot be used is told under its field as it is typed.
        messages_.show(*listed.message);
    }
    return listed.ok();
}

bool FileListing::leaveGoneDirectory() {
    if (!files_.controls().browser->tree()->leaveIfGone()) {
        return false;
    }
    // The ticked rows are of files that went with their directory.
    afterDirectoryChange();
    return true;
}

void FileListing::refilter() {
    session_.fileList.setMaskPosition(rules_.chosenMask());
    fill();
}

void FileListing::show() {
    newNames_.drop();
    files_.showFiles();
    rules_.showMasks(session_.fileList.masks(), session_.fileList.maskPosition());
    newNames_.schedule();
}

void FileListing::empty() {
    newNames_.drop();
    session_.fileList.clear();
    files_.controls().fileList->reload();
    files_.showStatus();
}

void FileListing::afterDirectoryChange() {
    // The rows of the directory left behind must go even if the new one cannot be read: they
    // would otherwise be renamed in a directory they do not belong to. What a batch told of the
    // folder left behind goes with them.
    files_.showBatchNotice(QString());
    empty();
    session_.fileList.setMaskPosition(0);
    fill();
}

void FileListing::relistAfter(const engine::CommandReport& report) {
    files_.showBatchNotice(report.batch.namesCheckedJustBefore
                               ? QCoreApplication::translate(platform::kMessageContext,
                                                             engine::kNamesCheckedJustBefore)
                               : QString());
    if (report.refill == engine::Refill::None) {
        newNames_.schedule();
        return;
    }
    // Refused because files changed, the batch renamed nothing: the user's ticks stay on the
    // files still there as they were, in the folder that was listed.
    TickedFiles ticked;
    const std::optional<platform::FileIdentity> listed = session_.fileList.listedDirectory();
    if (report.outcome == engine::CommandOutcome::Relisted) {
        ticked = tickedFiles();
    }
    refill(report.refill);
    if (const auto& relisted = session_.fileList.listedDirectory();
        !ticked.empty() && listed && relisted && relisted->sameFileAs(*listed)) {
        tickAgain(ticked);
    }
    if (report.refill == engine::Refill::Whole) {
        // The refilled list shows every file, and the renames may have changed which masks
        // exist; the mask list must not claim a filter that is not applied.
        session_.fileList.setMaskPosition(0);
    }
    show();
}

FileListing::TickedFiles FileListing::tickedFiles() const {
    TickedFiles ticked;
    const engine::FileList& files = session_.fileList;
    for (std::size_t row = 0; row < files.rowCount(); ++row) {
        if (files.isTicked(row)) {
            ticked.emplace(std::string(files.row(row).name), files.row(row).inode);
        }
    }
    return ticked;
}

void FileListing::tickAgain(const TickedFiles& files) {
    tickWhere(session_.fileList, [&files](const engine::ListedFile& file) {
        return files.contains({std::string(file.name), file.inode});
    });
}

void FileListing::tickNamed(const std::vector<std::string>& names) {
    const std::set<std::string_view> wanted(names.begin(), names.end());
    tickWhere(session_.fileList,
              [&wanted](const engine::ListedFile& file) { return wanted.contains(file.name); });
    show();
}

void FileListing::tickDropped(const QStringList& paths) {
    const QString folder = QString::fromLocal8Bit(session_.directory);
    std::vector<std::string> names;
    for (const QString& path : paths) {
        const QFileInfo dropped(path);
        if (dropped.exists() && !dropped.isDir() &&
            QFileInfo(dropped.absolutePath()) == QFileInfo(folder)) {
            names.push_back(dropped.fileName().toLocal8Bit().toStdString());
            continue;
        }
        // A batch renames in the folder it lists, the files this user sees there.
        const char* why =
            !dropped.exists() ? NS_MESSAGE("Message",
                                           "\"%1\" cannot be renamed: it is not a file of this "
                                           "computer that can be found.")
            : dropped.isDir() ? NS_MESSAGE("Message",
                                           "\"%1\" is a folder; open it in the folder tree to "
                                           "rename its files.")
                              : NS_MESSAGE("Message",
                                           "\"%1\" is in another folder than the one listed; a "
                                           "batch renames the files of one folder.");
        messages_.show({why, {path.toStdString()}}, platform::kProgramTitle,
                       platform::Icon::Exclamation);
    }
    if (!names.empty()) {
        tickNamed(names);
    }
}

}  // namespace nameshift::ui
