#pragma once

#include <string>

#include "engine/records/BatchHistory.h"

namespace nameshift::cli {

// A batch of the history as `history` prints it, fields split by tabs: its number, when it ran
// (local time), its folder, how many files it renamed and its state ("done", "undone", or
// "unreadable" for a record that cannot be read, whose other fields are then "-").
std::string historyLine(const engine::HistoryEntry& entry);

}  // namespace nameshift::cli
