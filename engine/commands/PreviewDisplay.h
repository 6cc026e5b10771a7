#pragma once

#include <string_view>

#include "platform/MessageBox.h"

namespace nameshift::engine {

// Where the preview command shows its pairs: the preview dialog, a command-line listing, or a
// test that records them.
class PreviewDisplay {
public:
    virtual ~PreviewDisplay() = default;
    // Why apply would refuse the whole batch; said before the pairs, which are still shown.
    virtual void showRefusal(const platform::Message& refusal) = 0;
    // `problem`: why apply would refuse or fail on this file, in its words; null when it passes.
    virtual void addPair(std::string_view oldName, std::string_view newName,
                         const platform::MessageText* problem) = 0;
    void addPair(std::string_view oldName, std::string_view newName) {
        addPair(oldName, newName, nullptr);
    }
    // Shows every pair added; returns once the user is done with them.
    virtual void show() = 0;
};

}  // namespace nameshift::engine
