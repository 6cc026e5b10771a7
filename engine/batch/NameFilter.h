#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/naming/PatternRule.h"
#include "platform/MessageBox.h"

namespace nameshift::engine {

// The include and exclude patterns of a listing, ICU regular expressions searched in a file's
// name, or in its path from the listed folder when they hold a "/". Made afresh for each
// reading, so that the searches of one reading share one bound on their time.
class NameFilter {
public:
    NameFilter(const std::string& include, const std::string& exclude);

    // Whether a pattern is set: without one every file is listed and nothing is searched.
    bool active() const { return include_.has_value() || exclude_.has_value(); }
    // Why a pattern that is set cannot be used; nothing when both can.
    std::optional<platform::Message> refusal() const;

    // Whether the file at `path` is listed: it holds the include pattern, when one is set, and
    // not the exclude pattern. Once a search took too long, no file is listed any more.
    bool lists(std::string_view path);
    // Whether the exclude pattern takes every path beneath the folder at `path`, so that its
    // files need not be read at all.
    bool excludesFolder(std::string_view path);
    // Which search took too long, when one did: the reading is refused with this message.
    const std::optional<platform::Message>& stopped() const { return stopped_; }

private:
    struct Pattern {
        std::string text;
        PatternRule rule;
        bool onPath = false;  // searched in the path, not the name alone
    };
    static std::optional<Pattern> patternOf(const std::string& text);
    // The search of one pattern; one that takes too long stops the reading.
    PatternRule::Search search(Pattern& pattern, std::string_view path);

    std::optional<Pattern> include_;
    std::optional<Pattern> exclude_;
    std::optional<platform::Message> stopped_;
};

}  // namespace nameshift::engine
