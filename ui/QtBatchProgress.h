#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>
#include <QString>
#include <QWidget>

#include <cstddef>
#include <memory>

#include "engine/batch/BatchProgress.h"

namespace nameshift::ui {

// A progress dialog with Cancel for batches of more than kProgressThreshold renames; smaller
// batches finish too fast to need one. Everything stays on the one thread: each step lets the
// dialog handle its events, and Cancel stops the batch before its next rename.
class QtBatchProgress final : public engine::BatchProgress {
public:
    QtBatchProgress(QWidget* parent, QString label) : parent_(parent), label_(std::move(label)) {}
    ~QtBatchProgress() override;

    void start(std::size_t total) override;
    bool advance(std::size_t done) override;
    void finish() override;

    // The dialog while a large batch runs, else null.
    QProgressDialog* dialog() const { return dialog_.get(); }

private:
    QPointer<QWidget> parent_;
    QString label_;
    std::unique_ptr<QProgressDialog> dialog_;
    std::size_t total_ = 0;
    QElapsedTimer sinceShown_;
};

}  // namespace nameshift::ui
