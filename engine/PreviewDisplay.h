#pragma once

#include <string>

namespace nameshift::engine {

// Where the preview command shows its pairs: the preview dialog, a command-line listing, or a
// test that records them.
class PreviewDisplay {
public:
    virtual ~PreviewDisplay() = default;
    virtual void addPair(const std::string& oldName, const std::string& newName) = 0;
    // Shows every pair added; returns once the user is done with them.
    virtual void show() = 0;
};

}  // namespace nameshift::engine
