#pragma once

#include <string>

#include "cli/NameWriter.h"
#include "engine/PreviewDisplay.h"

namespace nameshift::cli {

// Shows the preview's pairs on standard output instead of in the preview dialog.
class PreviewPrinter final : public engine::PreviewDisplay {
public:
    explicit PreviewPrinter(NameWriter& writer) : writer_(writer) {}

    void addPair(std::string_view oldName, std::string_view newName) override {
        writer_.writePair(oldName, newName);
    }
    void show() override { writer_.flush(); }

private:
    NameWriter& writer_;
};

}  // namespace nameshift::cli
