#include "engine/NameComputation.h"

#include "engine/NameRules.h"

namespace nameshift::engine {
namespace {

bool refuse(const char* text, const char* caption, WorkLists& lists,
            platform::MessageBox& messages) {
    messages.show(text, caption, platform::Icon::Information);
    lists.clear();
    return false;
}

}  // namespace

bool validateRenameSettings(const settings::RenameSettings& settings, std::size_t tickedCount,
                            WorkLists& lists, platform::MessageBox& messages) {
    if (tickedCount == 0) {
        messages.show("Nothing to preview. You must select at least one file first.", "Warning!",
                      platform::Icon::Information);
        return false;
    }
    if (settings.changePrefix && settings.prefixText.empty()) {
        return refuse(
            "Please Note: If you wish to alter the prefix you must enter a name in the prefix "
            "edit box",
            "No Prefix Specified!", lists, messages);
    }
    if (settings.changeExtension && settings.extensionText.empty()) {
        return refuse(
            "Please Note: If you wish to alter the extension you must enter a name in the "
            "extension edit box",
            "No Extension Specified!", lists, messages);
    }
    if (settings.useCounter && settings.counterIncrement.empty()) {
        return refuse(
            "Please Note: If you wish to add a counter you must specify the counter increment in "
            "the increment edit box",
            "Counter Increment Not Specified!", lists, messages);
    }
    if (settings.useCounter && settings.counterStart.empty()) {
        return refuse(
            "Please Note: If you wish to add a counter you must specify the counter's start "
            "position in the start position edit box",
            "No Start Position Specified!", lists, messages);
    }
    return true;
}

void gatherSelection(const FileList& fileList, WorkLists& lists) {
    const std::size_t rows = fileList.rowCount();
    lists.oldNames.reserve(lists.oldNames.size() + fileList.tickedCount());
    for (std::size_t row = 0; row < rows; ++row) {
        if (!fileList.isTicked(row)) {
            continue;
        }
        const ListedFile& file = fileList.row(row);
        lists.oldNames.push_back(file.name);
        lists.newNames.push_back(file.name);
        lists.files.push_back(file);
    }
}

bool computeNewNames(const settings::RenameSettings& settings, const FileList& fileList,
                     WorkLists& lists, platform::MessageBox& messages) {
    if (!validateRenameSettings(settings, fileList.tickedCount(), lists, messages)) {
        return false;
    }
    gatherSelection(fileList, lists);
    applyNameRules(settings, lists.newNames);
    return true;
}

}  // namespace nameshift::engine
