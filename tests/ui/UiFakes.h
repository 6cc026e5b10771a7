#pragma once

#include <QCoreApplication>
#include <QEventLoop>

#include <condition_variable>
#include <ctime>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "engine/commands/RestoreFilePicker.h"
#include "engine/contents/TagReader.h"
#include "platform/VolumeSource.h"
#include "ui/DirectoryBrowser.h"

namespace nameshift::testing {

// The volumes a test chooses, in place of the system's mount table; each answers at once.
class FixedVolumes final : public platform::VolumeSource {
public:
    explicit FixedVolumes(std::vector<std::string> paths) : paths_(std::move(paths)) {}
    platform::Result<std::vector<std::string>> mountedVolumes() override { return paths_; }
    platform::VolumeCheck volumeCheck(const std::string& /*mountPath*/) const override {
        return [] { return platform::VolumeAnswer::Ready; };
    }

private:
    std::vector<std::string> paths_;
};

// Volumes of which some answer only once the test releases them, as a network share whose
// server is gone or a FUSE daemon that is busy does, and some are nothing to browse.
class GatedVolumes final : public platform::VolumeSource {
public:
    explicit GatedVolumes(std::vector<std::string> paths) : paths_(std::move(paths)) {}
    GatedVolumes(const GatedVolumes&) = delete;
    GatedVolumes& operator=(const GatedVolumes&) = delete;
    // No check is left waiting after the test.
    ~GatedVolumes() override { release(); }

    platform::Result<std::vector<std::string>> mountedVolumes() override { return paths_; }
    platform::VolumeCheck volumeCheck(const std::string& mountPath) const override {
        const bool held = held_.contains(mountPath);
        const platform::VolumeAnswer answer = notBrowsable_.contains(mountPath)
                                                  ? platform::VolumeAnswer::NotBrowsable
                                                  : platform::VolumeAnswer::Ready;
        return [gate = gate_, held, answer] {
            if (held) {
                std::unique_lock<std::mutex> lock(gate->mutex);
                gate->opened.wait(lock, [&] { return gate->open; });
            }
            return answer;
        };
    }

    // Mounts and unmounts.
    void setPaths(std::vector<std::string> paths) { paths_ = std::move(paths); }
    // Its check waits until release().
    void hold(const std::string& mountPath) { held_.insert(mountPath); }
    void makeNotBrowsable(const std::string& mountPath) { notBrowsable_.insert(mountPath); }
    void release() {
        {
            const std::lock_guard<std::mutex> lock(gate_->mutex);
            gate_->open = true;
        }
        gate_->opened.notify_all();
    }

private:
    struct Gate {
        std::mutex mutex;
        std::condition_variable opened;
        bool open = false;
    };

    std::vector<std::string> paths_;
    std::set<std::string> held_;
    std::set<std::string> notBrowsable_;
    // Shared with the checks, which run on threads of their own.
    std::shared_ptr<Gate> gate_ = std::make_shared<Gate>();
};

// Lets events in while the volume at `mountPath` is in `state`: its answer comes from another
// thread, as an event, and so does the end of its time to answer. Nothing here measures time.
inline void waitWhile(const ui::DirectoryBrowser& browser, const std::string& mountPath,
                      ui::VolumeChecker::State state) {
    while (browser.volumeState(mountPath) == state) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

inline void waitForAnswer(const ui::DirectoryBrowser& browser, const std::string& mountPath) {
    waitWhile(browser, mountPath, ui::VolumeChecker::State::Pending);
}

// Files without tags.
class NoTags final : public engine::TagReader {
public:
    engine::TagTexts read(const std::string& /*path*/) override { return {}; }
    std::unique_ptr<engine::TagReader> clone() const override { return std::make_unique<NoTags>(); }
};

// Tags looked up by file name. Its clones, which read on the column's own thread, share its
// tags and wait at each file while the test holds them.
class GatedTags final : public engine::TagReader {
public:
    engine::TagTexts read(const std::string& path) override {
        if (isClone_) {
            std::unique_lock<std::mutex> lock(shared_->mutex);
            shared_->opened.wait(lock, [&] { return !shared_->held; });
        }
        const auto found = shared_->tags.find(path.substr(path.rfind('/') + 1));
        return found == shared_->tags.end() ? engine::TagTexts{} : found->second;
    }
    std::unique_ptr<engine::TagReader> clone() const override {
        auto copy = std::make_unique<GatedTags>();
        copy->shared_ = shared_;
        copy->isClone_ = true;
        return copy;
    }

    std::optional<std::tm> taken(const std::string& path) override {
        const auto found = shared_->taken.find(path.substr(path.rfind('/') + 1));
        return found == shared_->taken.end() ? std::nullopt : std::optional(found->second);
    }

    // Before tag naming is turned on, while no clone reads.
    void set(const std::string& name, engine::TagTexts texts) {
        shared_->tags[name] = std::move(texts);
    }
    void setTaken(const std::string& name, const std::tm& when) { shared_->taken[name] = when; }
    void hold() {
        const std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->held = true;
    }
    void release() {
        {
            const std::lock_guard<std::mutex> lock(shared_->mutex);
            shared_->held = false;
        }
        shared_->opened.notify_all();
    }

private:
    struct Shared {
        std::map<std::string, engine::TagTexts> tags;
        std::map<std::string, std::tm> taken;
        std::mutex mutex;
        std::condition_variable opened;
        bool held = false;
    };

    std::shared_ptr<Shared> shared_ = std::make_shared<Shared>();
    bool isClone_ = false;
};

// Answers the restore file question with a chosen path, or as a user who cancels.
class ScriptedRestorePicker final : public engine::RestoreFilePicker {
public:
    std::optional<std::string> chooseRestoreFile(const std::string& initialDirectory) override {
        askedIn.push_back(initialDirectory);
        return choice;
    }

    std::optional<std::string> choice;
    std::vector<std::string> askedIn;
};

}  // namespace nameshift::testing
