#pragma once

#include <cstdio>
#include <string>

#include "cli/NameWriter.h"
#include "engine/commands/PreviewDisplay.h"
#include "platform/MessageBox.h"

namespace nameshift::cli {

// Shows the preview's pairs on standard output instead of in the preview dialog, every pair as
// scripts read them; what apply would object to goes to standard error: the refusal as apply
// prints it, and each file it would not rename as `"OLD" to "NEW": REASON`, as rename errors are.
class PreviewPrinter final : public engine::PreviewDisplay {
public:
    PreviewPrinter(NameWriter& writer, platform::MessageBox& messages, std::FILE* errors)
        : writer_(writer), messages_(messages), errors_(errors) {}

    using engine::PreviewDisplay::addPair;
    void showRefusal(const platform::Message& refusal) override { messages_.show(refusal); }
    void addPair(std::string_view oldName, std::string_view newName,
                 const platform::MessageText* problem) override {
        writer_.writePair(oldName, newName);
        if (problem != nullptr) {
            const std::string line = "\"" + std::string(oldName) + "\" to \"" +
                                     std::string(newName) + "\": " + problem->filled() + "\n";
            std::fwrite(line.data(), 1, line.size(), errors_);
        }
    }
    void show() override {
        writer_.flush();
        std::fflush(errors_);
    }

private:
    NameWriter& writer_;
    platform::MessageBox& messages_;
    std::FILE* errors_;
};

}  // namespace nameshift::cli
