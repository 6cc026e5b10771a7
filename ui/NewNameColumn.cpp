#include "ui/NewNameColumn.h"

#include <QScrollBar>

#include <system_error>
#include <utility>

#include "ui/FileListModel.h"
#include "ui/QtMessageBox.h"

namespace nameshift::ui {

NewNameColumn::NewNameColumn(engine::RenameSession& session, FileListView& list,
                             std::size_t namesPerSlice, QObject* parent)
    : QObject(parent), session_(session), list_(list), namesPerSlice_(namesPerSlice) {
    timer_ = new QTimer(this);
    timer_->setSingleShot(true);
    // Zero: after the events already queued, so a burst of keystrokes computes the names once.
    timer_->setInterval(0);
    connect(timer_, &QTimer::timeout, this, &NewNameColumn::start);
    sliceTimer_ = new QTimer(this);
    sliceTimer_->setInterval(0);
    connect(sliceTimer_, &QTimer::timeout, this, &NewNameColumn::planMore);
    // Rows scrolled to before the rest of the column is computed get theirs at once.
    connect(list_.verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        if (sliceTimer_->isActive() || waitingForTags_) {
            planVisible();
        }
    });
    if (std::unique_ptr<engine::TagReader> reader = session_.tags.clone()) {
        // Called on the reading thread: the column hears of it between its events.
        prefetcher_ = std::make_unique<engine::TagPrefetcher>(
            std::move(reader), [this](std::uint64_t generation) {
                QMetaObject::invokeMethod(
                    this, [this, generation] { tagsRead(generation); }, Qt::QueuedConnection);
            });
    }
}

NewNameColumn::~NewNameColumn() {
    prefetcher_.reset();
}

void NewNameColumn::schedule() {
    timer_->start();
}

bool NewNameColumn::pending() const {
    return timer_->isActive() || sliceTimer_->isActive() || waitingForTags_;
}

bool NewNameColumn::visiblePending() const {
    return timer_->isActive();
}

void NewNameColumn::start() {
    timer_->stop();
    sliceTimer_->stop();
    stopReadingTags();
    // The plan apply would make, judged by the same checks, so the column shows what apply does.
    const bool mayRecord = session_.options.restoreFileUsage != settings::RestoreFileUsage::None;
    auto plan = std::make_unique<engine::IncrementalPlan>(session_, engine::PlanOptions{mayRecord});
    readTagsAhead(*plan);
    if (plan->size() <= namesPerSlice_ && !tagsAhead_) {
        plan->planMore(plan->size());
    } else {
        const auto [first, end] = list_.rowsInView();
        plan->planRows(static_cast<std::size_t>(first), static_cast<std::size_t>(end));
    }
    FileListModel* model = list_.fileListModel();
    model->setNewNamePlan(plan.get());
    // Freeing a large plan takes as long as drawing the rows: the next pass does it.
    retiredPlan_ = std::move(plan_);
    plan_ = std::move(plan);
    if (plan_->complete()) {
        retiredPlan_.reset();
        stopReadingTags();
        model->newNamesChanged(0, model->rowCount() - 1);
    } else {
        const auto [first, end] = list_.rowsInView();
        model->newNamesChanged(first, end - 1);
        sliceTimer_->start();
    }
    reportRefusal();
}

void NewNameColumn::planVisible() {
    const auto [first, end] = list_.rowsInView();
    plan_->planRows(static_cast<std::size_t>(first), static_cast<std::size_t>(end));
    list_.fileListModel()->newNamesChanged(first, end - 1);
    reportRefusal();
}

void NewNameColumn::readTagsAhead(engine::IncrementalPlan& plan) {
    if (!prefetcher_ || !plan.readsTags()) {
        return;
    }
    try {
        tagsAhead_ = prefetcher_->start(plan.tagNamer(), session_.directory, plan.oldNames());
    } catch (const std::system_error&) {
        // No thread to be had: the column reads its tags between events, as it did before it
        // had one.
        prefetcher_.reset();
        return;
    }
    plan.readTagsFrom(tagsAhead_);
}

void NewNameColumn::stopReadingTags() {
    waitingForTags_ = false;
    tagsAhead_.reset();
    if (prefetcher_) {
        prefetcher_->stop();
    }
}

void NewNameColumn::tagsRead(std::uint64_t generation) {
    // Word of a batch that an earlier plan started comes to nothing.
    if (waitingForTags_ && tagsAhead_ && tagsAhead_->generation() == generation) {
        waitingForTags_ = false;
        sliceTimer_->start();
    }
}

void NewNameColumn::planMore() {
    retiredPlan_.reset();
    engine::IncrementalPlan& plan = *plan_;
    const std::size_t duplicates = plan.duplicateCount();
    plan.planMore(namesPerSlice_);
    if (const std::optional<std::size_t> awaited = plan.awaitedTags(namesPerSlice_)) {
        tagsAhead_->wakeAt(*awaited);
        // Tags read before the request may not call back.
        if (plan.awaitedTags(namesPerSlice_)) {
            sliceTimer_->stop();
            waitingForTags_ = true;
        }
    }
    FileListModel* model = list_.fileListModel();
    if (plan.complete()) {
        sliceTimer_->stop();
        stopReadingTags();
        // Every row has its name now, and duplicates may have marked rows computed before.
        model->newNamesChanged(0, model->rowCount() - 1);
    } else if (plan.duplicateCount() != duplicates) {
        // A row on screen may share its name with one just computed.
        const auto [first, end] = list_.rowsInView();
        model->newNamesChanged(first, end - 1);
    }
    if (plan.rulesRefusal() && refusal_.isEmpty()) {
        // The rows already shown give way to the refusal.
        model->newNamesChanged(0, model->rowCount() - 1);
    }
    reportRefusal();
}

void NewNameColumn::reportRefusal() {
    const std::optional<platform::Message>& refused =
        plan_->rulesRefusal() ? plan_->rulesRefusal() : plan_->settingsRefusal();
    const QString refusal = refused ? QtMessageBox::translated(refused->textSource) : QString();
    if (refusal != refusal_) {
        refusal_ = refusal;
        emit rulesRefusalChanged(refusal_);
    }
}

void NewNameColumn::finish() {
    if (timer_->isActive() || !plan_) {
        start();
    }
    if (sliceTimer_->isActive() || waitingForTags_) {
        // What the reader has not read yet is read here.
        plan_->planRest();
        planMore();
    }
}

void NewNameColumn::drop() {
    sliceTimer_->stop();
    stopReadingTags();
    list_.fileListModel()->setNewNamePlan(nullptr);
    plan_.reset();
    retiredPlan_.reset();
    if (!refusal_.isEmpty()) {
        refusal_.clear();
        emit rulesRefusalChanged(refusal_);
    }
}

}  // namespace nameshift::ui
