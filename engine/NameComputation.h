#pragma once

#include "engine/FileList.h"
#include "engine/WorkLists.h"
#include "platform/MessageBox.h"
#include "settings/RenameSettings.h"

namespace nameshift::engine {

// Refuses settings that cannot make names, each with its own message; the work lists are emptied
// after any refusal but the first (nothing ticked).
bool validateRenameSettings(const settings::RenameSettings& settings, std::size_t tickedCount,
                            WorkLists& lists, platform::MessageBox& messages);

// Appends every ticked row, in list order, to the work lists; new names start as the old ones.
void gatherSelection(const FileList& fileList, WorkLists& lists);

// Validates, gathers and applies the rules. Returns false when a check refused (its message shown).
bool computeNewNames(const settings::RenameSettings& settings, const FileList& fileList,
                     WorkLists& lists, platform::MessageBox& messages);

}  // namespace nameshift::engine
