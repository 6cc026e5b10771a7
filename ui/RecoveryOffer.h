#pragma once

#include <string>

#include "engine/batch/BatchProgress.h"
#include "engine/records/BatchHistory.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"

namespace nameshift::ui {

// Asks about each interrupted batch at start-up: undo it, finish it, or decide later; then says
// what was done. A finished batch is kept in the history within `bound`, the user's.
void offerRecovery(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                   const std::string& stateDirectory, engine::BatchProgress* progress = nullptr,
                   const engine::HistoryBound& bound = {});

}  // namespace nameshift::ui
