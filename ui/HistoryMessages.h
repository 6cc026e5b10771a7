#pragma once

#include <cstdint>
#include <string>

#include "engine/batch/CommandReport.h"
#include "engine/records/FolderHistory.h"
#include "platform/MessageBox.h"

namespace nameshift::ui {

enum class HistoryStep { Undo, Redo };

// When a batch ran, as its user remembers it: the time of day for one of today, with the date
// before it for an older one.
std::string batchTimeText(std::uint64_t seconds);
// The folder as the window names it: its own name, not its whole path.
std::string folderNameOf(const std::string& directory);

// The one question before a batch is undone, whether Ctrl+Z or the history's list picked it.
platform::Message undoQuestion(const engine::HistoryBatch& batch);
// The shown folder has no batch to undo: says so and asks whether to open the history, which
// lists the batches of every folder.
platform::Message nothingToUndoQuestion(const std::string& folder);
platform::Message nothingToRedoMessage(const std::string& folder);

// `report` of an undo or a redo of `batch`, its closing words naming the folder and the files
// the step renamed instead of the batch's number, which the window never shows.
engine::CommandReport withFacts(engine::CommandReport report, const engine::HistoryBatch& batch,
                                HistoryStep step);

}  // namespace nameshift::ui
