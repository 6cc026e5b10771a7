#pragma once

#include <unicode/regex.h>

#include <cstdint>
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
    // How many of ICU's time steps (each some ten thousand steps of its match engine) the
    // searches of a whole batch may take together.
    std::int64_t batchTimeSteps = 20'000;
};

// Why a pattern cannot be used, with where in the pattern the trouble lies; nothing when it
// compiles. The dialog calls it as the user types, to show the reason beside the edit.
std::optional<std::string> patternProblem(std::string_view pattern, bool matchCase);
// Why `replacement` cannot replace what the regular expression `pattern` finds: a "$" reference
// to a group the pattern does not have, or that ICU cannot name, would leave every name as it
// was. Nothing when it can, or when the pattern itself does not compile (patternProblem says why).
std::optional<std::string> replacementProblem(std::string_view pattern,
                                              std::string_view replacement, bool matchCase);

// A Remove or Replace rule compiled once for a whole batch. With the options at their defaults it
// is the literal, case-sensitive, first-occurrence rule of old, byte for byte.
class PatternRule {
public:
    // Replaces what `pattern` finds with `replacement`, which in a regular expression may name
    // groups as "$1" or "${name}"; elsewhere it is taken as it is.
    PatternRule(std::string pattern, std::string replacement, PatternOptions options);

    enum class Outcome { Done, TookTooLong, BatchTookTooLong };
    // A name the matcher gives up on, its bound for one name or for the whole batch reached, is
    // left as it was.
    Outcome apply(std::string& name);

    // Whether a regular expression's rule finds its pattern in `text`, bound as apply is; a text
    // that is not UTF-8 holds nothing. `needsMore` tells that text added at the end could change
    // the answer, as when the pattern ends in "$".
    struct Search {
        Outcome outcome = Outcome::Done;
        bool found = false;
        bool needsMore = true;
    };
    Search search(std::string_view text);

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
    // What is left of the batch's time steps, where the matcher counts them down wherever the
    // rule is moved to.
    std::unique_ptr<std::int64_t> stepsLeft_;
};

}  // namespace nameshift::engine
