#pragma once

#include <string>

#include "engine/records/BatchHistory.h"

namespace nameshift::cli {

// A batch of the history as `history` prints it, fields split by tabs: its number, when it ran
// (local time), its folder, how many files it renamed and its state ("done", "undone", or
// "unreadable" for a record that cannot be read, whose other fields are then "-").
std::string historyLine(const engine::HistoryEntry& entry);
// The same batch as a JSON object: "id", "time" (seconds since 1970), "folder", "renamed" and
// "state"; an unreadable record has only its number and state.
std::string historyJson(const engine::HistoryEntry& entry);

}  // namespace nameshift::cli
