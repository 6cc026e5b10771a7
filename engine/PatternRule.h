#pragma once

#include <unicode/regex.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace nameshift::engine {

// How the Remove and Replace rules find their text.
struct PatternOptions {
    bool regex = false;  // the text is a regular expression in ICU's syntax
    bool allOccurrences = false;
    bool matchCase = true;
};

// Why a pattern cannot be used, with where in the pattern the trouble lies; nothing when it
// compiles. The dialog calls it as the user types, to show the reason beside the edit.
std::optional<std::string> patternProblem(std::string_view pattern, bool matchCase);

// A Remove or Replace rule compiled once for a whole batch. With the options at their defaults it
// is the literal, case-sensitive, first-occurrence rule of old, byte for byte.
class PatternRule {
public:
    // Replaces what `pattern` finds with `replacement`, which in a regular expression may name
    // groups as "$1" or "${name}"; elsewhere it is taken as it is.
    PatternRule(std::string pattern, std::string replacement, PatternOptions options);

    enum class Outcome { Done, TookTooLong };
    // A name the matcher gives up on, its bound reached, is left as it was.
    Outcome apply(std::string& name);

private:
    bool matchesBytes() const;
    void applyToBytes(std::string& name) const;

    std::string pattern_;
    std::string replacement_;
    icu::UnicodeString icuReplacement_;
    PatternOptions options_;
    // None for the byte rule or a pattern that does not compile; the matcher uses the pattern.
    std::unique_ptr<icu::RegexPattern> compiled_;
    std::unique_ptr<icu::RegexMatcher> matcher_;
};

}  // namespace nameshift::engine
