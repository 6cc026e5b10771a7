#pragma once

#include <string>

#include "engine/batch/BatchProgress.h"
#include "engine/batch/CommandReport.h"
#include "engine/batch/RenameSession.h"
#include "engine/commands/RestoreFilePicker.h"

namespace nameshift::engine {

// Undoes a batch from the restore file the user picks: every file of the stored directory gets
// its earlier name back, never replacing a file; each failure has its message. The picker starts
// in session.directory, and a relative choice is taken from there. The chosen file is
// deleted when every pair was restored, otherwise it is rewritten with exactly the pairs still to
// restore. The batch holds the directory's lock and its journal, as apply does. Shows nothing: the
// report holds the messages for the caller to show and says whether the list is to be filled
// again, or the program to end as the options ask.
CommandReport restoreFilenames(RenameSession& session, RestoreFilePicker& picker,
                               BatchProgress* progress = nullptr);

// The message for one file that cannot get its earlier name back.
platform::MessageText restoreErrorText(const std::string& currentName,
                                       const std::string& earlierName,
                                       const platform::Status& status);

}  // namespace nameshift::engine
