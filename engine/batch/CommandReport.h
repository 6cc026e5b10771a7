#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "engine/batch/CommandOutcome.h"
#include "platform/MessageBox.h"

namespace nameshift::engine {

// What a batch did, for callers that must tell more than its messages, such as a script's exit
// status.
struct BatchReport {
    std::size_t renamed = 0;
    std::size_t failed = 0;
    bool cancelled = false;
    // A restore file was to be written or rewritten, and it could not be.
    bool recordLost = false;
    // Each rename that was done, old name then new name, in the order they were done, when the
    // session keeps them.
    std::vector<std::pair<std::string, std::string>> renamedPairs;
    // The folder's filesystem refused both ways of renaming that cannot replace a file (a share,
    // mostly), so each new name was only looked up just before its rename.
    bool namesCheckedJustBefore = false;
};

// What the user is told, once a batch, when its renames could only check each name beforehand.
inline constexpr const char* kNamesCheckedJustBefore =
    NS_MESSAGE("Message",
               "this share cannot refuse to replace files; each name is checked just before its "
               "rename");

// How the file list must be filled again once the user has read the report.
enum class Refill {
    None,
    // Every file: the renames may have changed which masks there are.
    Whole,
    // With the mask the list had: nothing was renamed, the folder changed under it.
    KeepingMask,
};

// What a command did, told back to its caller, which shows it: the window in message boxes, the
// tool on its error stream. A command shows nothing itself; questions still go to the caller's
// question interface before the first rename.
struct CommandReport {
    CommandOutcome outcome = CommandOutcome::Cancelled;
    // What the user is told, in the order it happened: a refusal, the files that failed, a record
    // that could not be written, the closing summary.
    std::vector<platform::Message> messages;
    BatchReport batch;
    Refill refill = Refill::None;
};

// `report` ended by a refusal, told after whatever the command told before it.
inline CommandReport refused(CommandReport report, platform::Message refusal) {
    report.outcome = CommandOutcome::Refused;
    report.messages.push_back(std::move(refusal));
    return report;
}

// Collects what a command's steps tell, for its report. Only for telling: a question put to it
// would go unanswered, so none is.
class ReportedMessages final : public platform::MessageBox {
public:
    explicit ReportedMessages(std::vector<platform::Message>& messages) : messages_(messages) {}

    using MessageBox::show;
    platform::Answer show(const platform::Message& message) override {
        messages_.push_back(message);
        return platform::Answer::Ok;
    }

private:
    std::vector<platform::Message>& messages_;
};

// Shows a report's messages in their order.
inline void showReport(platform::MessageBox& box, const CommandReport& report) {
    for (const platform::Message& message : report.messages) {
        box.show(message);
    }
}

}  // namespace nameshift::engine
