#include "ui/NewNameColumn.h"

#include <QScrollBar>

#include <utility>

#include "ui/FileListModel.h"
#include "ui/QtMessageBox.h"

namespace nameshift::ui {

NewNameColumn::NewNameColumn(engine::RenameSession& session, FileListView& list,
                             std::size_t namesPerSlice, std::function<void()> readRules,
                             QObject* parent)
    : QObject(parent),
      session_(session),
      list_(list),
      namesPerSlice_(namesPerSlice),
      readRules_(std::move(readRules)) {
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
        if (sliceTimer_->isActive()) {
            planVisible();
        }
    });
}

void NewNameColumn::schedule() {
    timer_->start();
}

bool NewNameColumn::pending() const {
    return timer_->isActive() || sliceTimer_->isActive();
}

bool NewNameColumn::visiblePending() const {
    return timer_->isActive();
}

void NewNameColumn::start() {
    timer_->stop();
    sliceTimer_->stop();
    readRules_();
    if (!listedNames_) {
        listedNames_.emplace(session_.fileList.listing());
    }
    // The plan apply would make, judged by the same checks, so the column shows what apply does.
    const bool mayRecord = session_.options.restoreFileUsage != settings::RestoreFileUsage::None;
    auto plan = std::make_unique<engine::IncrementalPlan>(session_, mayRecord, *listedNames_);
    if (plan->size() <= namesPerSlice_) {
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

void NewNameColumn::planMore() {
    retiredPlan_.reset();
    engine::IncrementalPlan& plan = *plan_;
    const std::size_t duplicates = plan.duplicateCount();
    plan.planMore(namesPerSlice_);
    FileListModel* model = list_.fileListModel();
    if (plan.complete()) {
        sliceTimer_->stop();
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
    const std::optional<platform::Message>& refused = plan_->rulesRefusal();
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
    if (sliceTimer_->isActive()) {
        plan_->planMore(plan_->size());
        planMore();
    }
}

void NewNameColumn::drop() {
    sliceTimer_->stop();
    list_.fileListModel()->setNewNamePlan(nullptr);
    plan_.reset();
    retiredPlan_.reset();
    listedNames_.reset();
    if (!refusal_.isEmpty()) {
        refusal_.clear();
        emit rulesRefusalChanged(refusal_);
    }
}

}  // namespace nameshift::ui
