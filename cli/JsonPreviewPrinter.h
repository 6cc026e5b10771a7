#pragma once

#include <cstdio>
#include <string>

#include "cli/JsonText.h"
#include "engine/commands/PreviewDisplay.h"
#include "platform/MessageBox.h"

namespace nameshift::cli {

// Shows the preview as one JSON document on standard output: the refusal apply would give, if
// any, and for each ticked file its folder, its old and new names, the verdict ("rename",
// "unchanged" or "refused") and the reason of a refusal. The refusal also goes to standard
// error, as without --json.
class JsonPreviewPrinter final : public engine::PreviewDisplay {
public:
    JsonPreviewPrinter(std::FILE* output, platform::MessageBox& messages, const std::string& folder)
        : output_(output), messages_(messages), folder_(jsonString(folder)) {}

    using engine::PreviewDisplay::addPair;
    void showRefusal(const platform::Message& refusal) override {
        messages_.show(refusal);
        refusal_ = jsonString(refusal.text);
    }
    void addPair(std::string_view oldName, std::string_view newName,
                 const platform::MessageText* problem) override {
        JsonObject entry;
        entry.add("folder", folder_).addString("old", oldName).addString("new", newName);
        if (problem != nullptr) {
            entry.addString("verdict", "refused").addString("reason", problem->filled());
        } else {
            entry.addString("verdict", oldName == newName ? "unchanged" : "rename");
        }
        entries_.add(entry.text());
    }
    void show() override {
        const std::string document =
            JsonObject().add("refusal", refusal_).add("entries", entries_.text()).text() + "\n";
        std::fwrite(document.data(), 1, document.size(), output_);
        std::fflush(output_);
    }

private:
    std::FILE* output_;
    platform::MessageBox& messages_;
    std::string folder_;
    std::string refusal_ = "null";
    JsonLines entries_;
};

}  // namespace nameshift::cli
