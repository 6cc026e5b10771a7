#pragma once

#include <QDialog>
#include <cstdint>
#include <optional>
#include <vector>

#include "engine/records/BatchHistory.h"

class QPushButton;
class QTreeWidget;

namespace nameshift::ui {

// Lists the batches of the history, newest first: number, time, folder, files and state. The
// user picks one to undo; a record that cannot be read is listed and cannot be picked.
class HistoryDialog : public QDialog {
    Q_OBJECT

public:
    HistoryDialog(const std::vector<engine::HistoryEntry>& entries, QWidget* parent = nullptr);

    QTreeWidget* list() const { return list_; }
    QPushButton* undoButton() const { return undo_; }
    // The batch to undo, once the dialog was closed by its undo button.
    std::optional<std::uint64_t> chosenBatch() const { return chosen_; }

private:
    void updateButton();

    QTreeWidget* list_ = nullptr;
    QPushButton* undo_ = nullptr;
    std::optional<std::uint64_t> chosen_;
};

}  // namespace nameshift::ui
