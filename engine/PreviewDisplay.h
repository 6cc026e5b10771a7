#pragma once

#include <string_view>

namespace nameshift::engine {

// Where the preview command shows its pairs: the preview dialog, a command-line listing, or a
// test that records them.
class PreviewDisplay {
public:
    virtual ~PreviewDisplay() = default;
    virtual void addPair(std::string_view oldName, std::string_view newName) = 0;
    // Shows every pair added; returns once the user is done with them.
    virtual void show() = 0;
};

}  // namespace nameshift::engine
