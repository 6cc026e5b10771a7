#include "ui/VolumeChecker.h"

#include <QMetaObject>
#include <QTimer>

#include <algorithm>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

namespace nameshift::ui {

// Where a thread leaves its answer: with the checker while it lives, nowhere afterwards. The
// checker is never destroyed while a thread hands an answer to it, and an answer queued for a
// checker destroyed meanwhile is dropped with the checker's events.
struct VolumeChecker::Mailbox {
    std::mutex mutex;
    VolumeChecker* owner = nullptr;
};

VolumeChecker::VolumeChecker(platform::VolumeSource& volumes, std::chrono::milliseconds timeLimit,
                             QObject* parent)
    : QObject(parent),
      volumes_(volumes),
      timeLimit_(timeLimit),
      mailbox_(std::make_shared<Mailbox>()) {
    mailbox_->owner = this;
}

VolumeChecker::~VolumeChecker() {
    const std::lock_guard<std::mutex> lock(mailbox_->mutex);
    mailbox_->owner = nullptr;
}

void VolumeChecker::check(const std::vector<std::string>& volumes) {
    for (const std::string& volume : volumes) {
        if (states_.contains(volume)) {
            continue;
        }
        states_[volume] = State::Pending;
        platform::VolumeCheck ask = volumes_.volumeCheck(volume);
        try {
            std::thread([ask = std::move(ask), mailbox = mailbox_, volume] {
                const platform::VolumeAnswer answer = ask();
                const std::lock_guard<std::mutex> lock(mailbox->mutex);
                if (VolumeChecker* owner = mailbox->owner) {
                    QMetaObject::invokeMethod(
                        owner, [owner, volume, answer] { owner->answered(volume, answer); },
                        Qt::QueuedConnection);
                }
            }).detach();
        } catch (const std::system_error&) {
            // No thread to ask on: the volume is not asked, as one that never answers.
            setState(volume, State::NotResponding);
            continue;
        }
        QTimer::singleShot(timeLimit_, this, [this, volume] { timeUp(volume); });
    }
}

void VolumeChecker::keepOnly(const std::vector<std::string>& volumes) {
    std::erase_if(states_, [&](const auto& known) {
        return std::find(volumes.begin(), volumes.end(), known.first) == volumes.end();
    });
}

VolumeChecker::State VolumeChecker::state(const std::string& volume) const {
    const auto found = states_.find(volume);
    return found != states_.end() ? found->second : State::Pending;
}

void VolumeChecker::answered(const std::string& volume, platform::VolumeAnswer answer) {
    if (!states_.contains(volume)) {
        return;  // forgotten while it was asked
    }
    setState(volume, answer == platform::VolumeAnswer::Ready ? State::Ready : State::NotBrowsable);
}

void VolumeChecker::timeUp(const std::string& volume) {
    const auto found = states_.find(volume);
    if (found != states_.end() && found->second == State::Pending) {
        setState(volume, State::NotResponding);
    }
}

void VolumeChecker::setState(const std::string& volume, State state) {
    states_[volume] = state;
    emit stateChanged(QByteArray::fromStdString(volume));
}

}  // namespace nameshift::ui
