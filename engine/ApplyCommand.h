#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "engine/BatchPlan.h"
#include "engine/BatchProgress.h"
#include "engine/BatchQuestions.h"
#include "engine/BatchRunner.h"
#include "engine/CommandOutcome.h"
#include "engine/RenameSession.h"

namespace nameshift::engine {

// Renames the ticked files of session.directory to the names of the batch's plan, once the plan
// passes its checks and every question is answered, all before the first rename. The batch holds
// the directory's lock and is written to its journal until its restore file is on disk. A rename
// never replaces a file; failures are listed in one message. The restore file records the
// renames actually done, in their order. Ends with the file list refilled, or with ExitProgram
// when the options ask for it.
CommandOutcome applyChanges(RenameSession& session, BatchQuestions& questions,
                            BatchProgress* progress = nullptr);
// The same, asking the questions through the session's message box.
CommandOutcome applyChanges(RenameSession& session, BatchProgress* progress = nullptr);

// The "Rename Errors" text: one line per failure, at most `listed` of them, then a count of the
// rest.
platform::MessageText renameErrorsText(const std::vector<PlannedChange>& changes,
                                       const std::vector<RenameFailure>& failures,
                                       std::size_t listed);

}  // namespace nameshift::engine
