#pragma once

#include <QObject>
#include <QTimer>

#include <cstdint>

#include <cstddef>
#include <memory>
#include <optional>

#include "engine/batch/IncrementalPlan.h"
#include "engine/batch/RenameSession.h"
#include "engine/naming/TagPrefetcher.h"
#include "ui/FileListView.h"

namespace nameshift::ui {

// Fills the file list's "New Name" column with the names the session's rules give. A change of
// the rules or the ticks computes it a moment after the changes stop: the rows on screen first,
// the others a part at a time between events, so that typing never waits for a large list. Names
// by tags are read ahead on threads of the column's own, as many as the session's reader gives
// readers for; the rows on screen read theirs at once.
class NewNameColumn : public QObject {
    Q_OBJECT

public:
    // The session's rules are kept as the window shows them; `namesPerSlice` is how many names one
    // pass of the event loop computes.
    NewNameColumn(engine::RenameSession& session, FileListView& list, std::size_t namesPerSlice,
                  QObject* parent = nullptr);
    NewNameColumn(const NewNameColumn&) = delete;
    NewNameColumn& operator=(const NewNameColumn&) = delete;
    ~NewNameColumn() override;

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
    void readTagsAhead(engine::IncrementalPlan& plan);
    void stopReadingTags();
    void tagsRead(std::uint64_t generation);

    engine::RenameSession& session_;
    FileListView& list_;
    std::size_t namesPerSlice_;
    QTimer* timer_ = nullptr;
    QTimer* sliceTimer_ = nullptr;
    std::unique_ptr<engine::IncrementalPlan> plan_;
    std::unique_ptr<engine::IncrementalPlan> retiredPlan_;
    QString refusal_;
    // The tags of the latest plan, as far as they are read; the slices wait for them.
    std::shared_ptr<const engine::PrefetchedTags> tagsAhead_;
    bool waitingForTags_ = false;
    // Last, so that its threads are joined before anything it calls back into goes.
    std::unique_ptr<engine::TagPrefetcher> prefetcher_;
};

}  // namespace nameshift::ui
