#include "ui/QtBatchProgress.h"

#include <QCoreApplication>

#include "platform/MessageBox.h"

namespace nameshift::ui {

QtBatchProgress::~QtBatchProgress() = default;

namespace {

// How often a long batch brings its dialog up to date: often enough to look smooth, seldom
// enough that a batch of fast renames spends no measurable time on it.
constexpr qint64 kUpdateMs = 30;

}  // namespace

void QtBatchProgress::start(std::size_t total) {
    dialog_.reset();
    total_ = total;
    sinceShown_.invalidate();
    if (total <= engine::kProgressThreshold) {
        return;
    }
    dialog_ = std::make_unique<QProgressDialog>(label_, QProgressDialog::tr("Cancel"), 0,
                                                static_cast<int>(total), parent_.data());
    dialog_->setWindowTitle(QString::fromUtf8(platform::kProgramTitle));
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setMinimumDuration(0);
    dialog_->setAutoReset(false);
    dialog_->setAutoClose(false);
    dialog_->setValue(0);
}

bool QtBatchProgress::advance(std::size_t done) {
    if (!dialog_) {
        return true;
    }
    if (!sinceShown_.isValid() || sinceShown_.hasExpired(kUpdateMs) || done >= total_) {
        dialog_->setValue(static_cast<int>(done));
        QCoreApplication::processEvents();
        sinceShown_.start();
    }
    return !dialog_->wasCanceled();
}

void QtBatchProgress::finish() {
    dialog_.reset();
}

}  // namespace nameshift::ui
