#pragma once

#include "engine/batch/RenameSession.h"
#include "engine/naming/BatchPlan.h"

namespace nameshift::engine {

struct PlanOptions {
    // A restore file may be written, so every name must be one it can record.
    bool mayRecord = true;
    // Run the safety checks that guard apply, beyond those of the settings.
    bool checkSafety = true;
    // Give every file its new name even when a safety check refuses the batch, as a preview
    // shows them beside the refusal.
    bool nameWhenRefused = false;
    // The folder's restore file keeps its name though the batch writes none: with the undo
    // record kept only in the history, an earlier batch's restore file stays as the preview
    // shows it.
    bool keepRestoreFile = false;
};

// The plan for the ticked files of session.fileList in session.directory. Reads the files' tags
// when ID3 naming is on; changes nothing.
BatchPlan planBatch(const RenameSession& session, const PlanOptions& options);

}  // namespace nameshift::engine
