#pragma once

#include <QObject>
#include <QTimer>

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>

#include "engine/IncrementalPlan.h"
#include "engine/ListedNames.h"
#include "engine/RenameSession.h"
#include "ui/FileListView.h"

namespace nameshift::ui {

// Fills the file list's "New Name" column with the names the session's rules give. A change of
// the rules or the ticks computes it a moment after the changes stop: the rows on screen first,
// the others a part at a time between events, so that typing never waits for a large list.
class NewNameColumn : public QObject {
    Q_OBJECT

public:
    // `readRules` brings the session's rules up to date with what the window shows; `namesPerSlice`
    // is how many names one pass of the event loop computes.
    NewNameColumn(engine::RenameSession& session, FileListView& list, std::size_t namesPerSlice,
                  std::function<void()> readRules, QObject* parent = nullptr);

    // Computes the column a moment after the changes stop.
    void schedule();
    // Computes the whole column now.
    void finish();
    // Forgets the column's plan before the listing it points into changes.
    void drop();
    // Some of the column is still to be computed for the latest change.
    bool pending() const;
    // The rows on screen are still to be computed for the latest change.
    bool visiblePending() const;

signals:
    // Why the batch as the column shows it would be refused by its rules, as a regular expression
    // that runs past its bound on a name; empty when nothing is refused so far.
    void rulesRefusalChanged(const QString& refusal);

private:
    void reportRefusal();

    void start();
    void planVisible();
    void planMore();

    engine::RenameSession& session_;
    FileListView& list_;
    std::size_t namesPerSlice_;
    std::function<void()> readRules_;
    QTimer* timer_ = nullptr;
    QTimer* sliceTimer_ = nullptr;
    // The names of the listed files, which the column judges against on every keystroke; built
    // again only after the listing has changed.
    std::optional<engine::ListedNames> listedNames_;
    std::unique_ptr<engine::IncrementalPlan> plan_;
    std::unique_ptr<engine::IncrementalPlan> retiredPlan_;
    QString refusal_;
};

}  // namespace nameshift::ui
