#pragma once

#include <string>

#include "engine/BatchProgress.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"

namespace nameshift::ui {

// Asks about each interrupted batch at start-up: undo it, finish it, or decide later; then says
// what was done.
void offerRecovery(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                   const std::string& stateDirectory, engine::BatchProgress* progress = nullptr);

}  // namespace nameshift::ui
