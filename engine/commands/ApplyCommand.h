#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "engine/batch/BatchProgress.h"
#include "engine/batch/BatchQuestions.h"
#include "engine/batch/CommandReport.h"
#include "engine/batch/RenameRun.h"
#include "engine/batch/RenameSession.h"
#include "engine/naming/BatchPlan.h"

namespace nameshift::engine {

// Renames the ticked files of session.directory to the names of the batch's plan, once the plan
// passes its checks and every question is answered, all before the first rename. The batch holds
// the directory's lock and is written to its journal until its restore file is on disk. A rename
// never replaces a file; failures are listed in one message. The restore file records the
// renames actually done, in their order. Shows nothing: the report holds the messages for the
// caller to show and says whether the list is to be filled again, or the program to end as the
// options ask.
CommandReport applyChanges(RenameSession& session, BatchQuestions& questions,
                           BatchProgress* progress = nullptr);

}  // namespace nameshift::engine
