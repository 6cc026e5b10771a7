#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "engine/commands/RestoreFilePicker.h"
#include "engine/contents/TagReader.h"
#include "platform/MessageBox.h"
#include "platform/VolumeSource.h"

namespace nameshift::bench {

// Says yes to every question and takes note of nothing, so that a timed batch runs through.
class AnswersYes final : public platform::MessageBox {
public:
    using MessageBox::show;
    platform::Answer show(const platform::Message& message) override {
        return message.buttons == platform::Buttons::Ok ? platform::Answer::Ok
                                                        : platform::Answer::Yes;
    }
};

class NoTags final : public engine::TagReader {
public:
    engine::TagTexts read(const std::string& /*path*/) override { return {}; }
    std::unique_ptr<engine::TagReader> clone() const override { return std::make_unique<NoTags>(); }
};

// Every file has the same artist and title, read as from a slow disk: each read waits `delay`.
class SlowTags final : public engine::TagReader {
public:
    engine::TagTexts read(const std::string& /*path*/) override {
        std::this_thread::sleep_for(delay);
        return {std::nullopt, "Artist", std::nullopt, "Title"};
    }
    std::unique_ptr<engine::TagReader> clone() const override {
        auto copy = std::make_unique<SlowTags>();
        copy->delay = delay;
        return copy;
    }
    std::chrono::microseconds delay{0};
};

// One volume that always answers, so that no check of the machine's mounts joins the timings.
class RootOnly final : public platform::VolumeSource {
public:
    platform::Result<std::vector<std::string>> mountedVolumes() override {
        return std::vector<std::string>{"/"};
    }
    platform::VolumeCheck volumeCheck(const std::string& /*mountPath*/) const override {
        return [] { return platform::VolumeAnswer::Ready; };
    }
};

// Picks the restore file at `path` without a dialog.
class FixedPicker final : public engine::RestoreFilePicker {
public:
    explicit FixedPicker(std::string chosen = {}) : path(std::move(chosen)) {}
    std::optional<std::string> chooseRestoreFile(const std::string& /*initialDirectory*/) override {
        return path;
    }
    std::string path;
};

}  // namespace nameshift::bench
