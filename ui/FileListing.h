#pragma once

#include <QStringList>

#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/batch/CommandReport.h"
#include "engine/batch/RenameSession.h"
#include "platform/MessageBox.h"
#include "ui/FilePanel.h"
#include "ui/NewNameColumn.h"
#include "ui/RulePanel.h"

namespace nameshift::ui {

// The main window's listing of the session's directory: refilled for the browser's directory,
// filtered by the chosen mask, and read anew as a command's report asks. The ticks survive a
// relisting that renamed nothing.
class FileListing {
public:
    FileListing(engine::RenameSession& session, FilePanel& files, RulePanel& rules,
                NewNameColumn& newNames, platform::MessageBox& messages)
        : session_(session),
          files_(files),
          rules_(rules),
          newNames_(newNames),
          messages_(messages) {}

    void fill();
    void refilter();
    void show();
    void empty();
    void afterDirectoryChange();
    // When the directory shown was deleted or moved away, says so, shows the nearest one above it
    // and lists that instead. True when it did. Asked when a listing fails, and before a command,
    // which would only fail to open it.
    bool leaveGoneDirectory();
    // Fills the list again as the command's report says.
    void relistAfter(const engine::CommandReport& report);

    // Ticks the listed files of these names and shows them so.
    void tickNamed(const std::vector<std::string>& names);
    // Ticks the files dropped on the list; says why of each that cannot join the batch.
    void tickDropped(const QStringList& paths);

private:
    using TickedFiles = std::set<std::pair<std::string, std::uint64_t>>;

    // Fills the list again, telling the user when no attribute is chosen; false when the
    // directory could not be listed.
    bool refill(engine::Refill how);
    // The ticked files of the listing, by name and inode, and the rows of those files ticked
    // again after a refill.
    TickedFiles tickedFiles() const;
    void tickAgain(const TickedFiles& files);

    engine::RenameSession& session_;
    FilePanel& files_;
    RulePanel& rules_;
    NewNameColumn& newNames_;
    platform::MessageBox& messages_;
};

}  // namespace nameshift::ui
