#include "engine/NameComputation.h"

#include "engine/NameRules.h"

namespace nameshift::engine {
namespace {

platform::Message note(const char* text, const char* caption) {
    return platform::Message{text, caption, platform::Icon::Information};
}

}  // namespace

std::optional<platform::Message> findSettingsRefusal(const settings::RenameSettings& settings,
                                                     std::size_t tickedCount) {
    if (tickedCount == 0) {
        return note(
            NS_MESSAGE("Message", "Nothing to preview. You must select at least one file first."),
            NS_MESSAGE("Message", "Warning!"));
    }
    if (settings.changePrefix && settings.prefixText.empty()) {
        return note(
            NS_MESSAGE(
                "Message",
                "Please Note: If you wish to alter the prefix you must enter a name in the prefix "
                "edit box"),
            NS_MESSAGE("Message", "No Prefix Specified!"));
    }
    if (settings.changeExtension && settings.extensionText.empty()) {
        return note(
            NS_MESSAGE(
                "Message",
                "Please Note: If you wish to alter the extension you must enter a name in the "
                "extension edit box"),
            NS_MESSAGE("Message", "No Extension Specified!"));
    }
    if (settings.useCounter && settings.counterIncrement.empty()) {
        return note(NS_MESSAGE("Message",
                               "Please Note: If you wish to add a counter you must specify the "
                               "counter increment in "
                               "the increment edit box"),
                    NS_MESSAGE("Message", "Counter Increment Not Specified!"));
    }
    if (settings.useCounter && settings.counterStart.empty()) {
        return note(
            NS_MESSAGE(
                "Message",
                "Please Note: If you wish to add a counter you must specify the counter's start "
                "position in the start position edit box"),
            NS_MESSAGE("Message", "No Start Position Specified!"));
    }
    return std::nullopt;
}

std::vector<PlannedChange> gatherSelection(const FileList& fileList) {
    std::vector<PlannedChange> changes;
    changes.reserve(fileList.tickedCount());
    for (std::size_t row = 0; row < fileList.rowCount(); ++row) {
        if (fileList.isTicked(row)) {
            const std::string_view name = fileList.row(row).name;
            changes.push_back({row, name, std::string(name)});
        }
    }
    return changes;
}

void nameChanges(const settings::RenameSettings& settings, std::span<PlannedChange> changes,
                 std::size_t firstPosition) {
    // The rules work on a list of names, since a counter runs over the whole batch.
    std::vector<std::string> names;
    names.reserve(changes.size());
    for (PlannedChange& change : changes) {
        names.push_back(std::move(change.newName));
    }
    applyNameRules(settings, names, firstPosition);
    for (std::size_t i = 0; i < changes.size(); ++i) {
        changes[i].newName = std::move(names[i]);
    }
}

std::vector<PlannedChange> computeNewNames(const settings::RenameSettings& settings,
                                           const FileList& fileList) {
    std::vector<PlannedChange> changes = gatherSelection(fileList);
    nameChanges(settings, changes, 0);
    return changes;
}

}  // namespace nameshift::engine
