#include "engine/naming/PatternRule.h"

#include <unicode/utypes.h>

#include "engine/naming/Utf8Text.h"

namespace nameshift::engine {
namespace {

// Steps of ICU's match engine one search may take, of the order of milliseconds each: ample for
// any sensible pattern on a file name, and a bound on one whose nested repeats would run for
// years.
constexpr std::int32_t kMatchStepLimit = 500;

std::uint32_t flagsFor(bool regex, bool matchCase) {
    return (regex ? 0u : static_cast<std::uint32_t>(UREGEX_LITERAL)) |
           (matchCase ? 0u : static_cast<std::uint32_t>(UREGEX_CASE_INSENSITIVE));
}

// ICU names its reasons by code; the usual ones in words, the code kept for the rest.
std::string reasonOf(UErrorCode status) {
    switch (status) {
        case U_REGEX_MISMATCHED_PAREN:
            return "a parenthesis without its pair";
        case U_REGEX_MISSING_CLOSE_BRACKET:
            return "a set without its closing \"]\"";
        case U_REGEX_BAD_ESCAPE_SEQUENCE:
            return "an unknown escape sequence";
        case U_REGEX_RULE_SYNTAX:
            return "a syntax error";
        case U_REGEX_BAD_INTERVAL:
        case U_REGEX_MAX_LT_MIN:
            return "a repeat count \"{n,m}\" that cannot be used";
        case U_REGEX_INVALID_RANGE:
            return "a range of a set that cannot be used";
        case U_REGEX_INVALID_BACK_REF:
            return "a reference to a group the pattern does not have";
        case U_REGEX_PROPERTY_SYNTAX:
            return "a character property that cannot be read";
        case U_REGEX_LOOK_BEHIND_LIMIT:
            return "a look-behind without a bounded length";
        case U_REGEX_INVALID_CAPTURE_GROUP_NAME:
            return "a \"$\" that names no group of the pattern (group names in a replacement "
                   "are letters alone)";
        case U_INDEX_OUTOFBOUNDS_ERROR:
            return "a group number that the pattern does not have";
        default:
            return "an error";
    }
}

struct Compiled {
    std::unique_ptr<icu::RegexPattern> pattern;
    std::unique_ptr<icu::RegexMatcher> matcher;
    std::optional<std::string> problem;
};

Compiled compile(std::string_view pattern, bool regex, bool matchCase) {
    const std::optional<icu::UnicodeString> decoded = text::decodeUtf8(pattern);
    if (!decoded) {
        return {nullptr, nullptr, "the pattern is not valid UTF-8"};
    }
    UParseError where{};
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::RegexPattern> compiled(
        icu::RegexPattern::compile(*decoded, flagsFor(regex, matchCase), where, status));
    if (U_FAILURE(status)) {
        const std::int32_t offset = where.offset >= 0 ? where.offset : 0;
        return {nullptr, nullptr,
                reasonOf(status) + " at character " + std::to_string(offset + 1) + " (" +
                    u_errorName(status) + ")"};
    }
    std::unique_ptr<icu::RegexMatcher> matcher(compiled->matcher(status));
    if (U_FAILURE(status)) {
        return {nullptr, nullptr, std::string(u_errorName(status))};
    }
    matcher->setTimeLimit(kMatchStepLimit, status);
    return {std::move(compiled), std::move(matcher), std::nullopt};
}

// A literal replacement through ICU's appendReplacement, which reads "$" and "\" as its own.
icu::UnicodeString quotedReplacement(const icu::UnicodeString& text) {
    icu::UnicodeString quoted;
    for (int32_t i = 0; i < text.length(); ++i) {
        const char16_t c = text.charAt(i);
        if (c == u'$' || c == u'\\') {
            quoted.append(u'\\');
        }
        quoted.append(c);
    }
    return quoted;
}

// Counts one of ICU's time steps against the batch; false stops the search once none is left.
UBool spendTimeStep(const void* context, int32_t /*steps*/) {
    // ICU hands back the pointer it was given, which points at a counter of the rule's own.
    auto* left = const_cast<std::int64_t*>(static_cast<const std::int64_t*>(context));
    return --*left > 0 ? 1 : 0;
}

}  // namespace

std::optional<std::string> patternProblem(std::string_view pattern, bool matchCase) {
    return compile(pattern, true, matchCase).problem;
}

std::optional<std::string> replacementProblem(std::string_view pattern,
                                              std::string_view replacement, bool matchCase) {
    const std::optional<icu::UnicodeString> decoded = text::decodeUtf8(replacement);
    if (!decoded) {
        return "the replacement is not valid UTF-8";
    }
    // With an empty alternative the pattern matches at the start of an empty text, its groups
    // numbered and named as they are, so ICU judges the replacement as it would on a name. A
    // pattern that quotes to its end needs its quote closed first.
    const std::string inside(pattern);
    Compiled probe = compile("(?:" + inside + ")|", true, matchCase);
    if (probe.problem) {
        probe = compile("(?:" + inside + "\\E)|", true, matchCase);
    }
    if (probe.problem) {
        return std::nullopt;
    }
    UErrorCode status = U_ZERO_ERROR;
    const icu::UnicodeString empty;
    probe.matcher->reset(empty);
    if (!probe.matcher->find(status) || U_FAILURE(status)) {
        return std::nullopt;
    }
    icu::UnicodeString result;
    probe.matcher->appendReplacement(result, *decoded, status);
    if (U_FAILURE(status)) {
        return reasonOf(status) + " (" + u_errorName(status) + ")";
    }
    return std::nullopt;
}

PatternRule::PatternRule(std::string pattern, std::string replacement, PatternOptions options)
    : pattern_(std::move(pattern)), replacement_(std::move(replacement)), options_(options) {
    if (matchesBytes()) {
        return;
    }
    Compiled compiled = compile(pattern_, options_.regex, options_.matchCase);
    compiled_ = std::move(compiled.pattern);
    matcher_ = std::move(compiled.matcher);
    if (matcher_) {
        stepsLeft_ = std::make_unique<std::int64_t>(options_.batchTimeSteps);
        UErrorCode status = U_ZERO_ERROR;
        matcher_->setMatchCallback(spendTimeStep, stepsLeft_.get(), status);
    }
    if (const auto decoded = text::decodeUtf8(replacement_)) {
        icuReplacement_ = options_.regex ? *decoded : quotedReplacement(*decoded);
    } else {
        matcher_.reset();  // a replacement that is not text cannot go into a decoded name
    }
}

bool PatternRule::matchesBytes() const {
    // Matching case, a literal text needs no decoding: the bytes match exactly where the
    // characters do, and a name that is not UTF-8 is still searched as the rule always did.
    // An empty text is found in front of any name, whatever the case.
    return !options_.regex && (options_.matchCase || pattern_.empty());
}

void PatternRule::applyToBytes(std::string& name) const {
    if (pattern_.empty()) {
        // An empty text is found once, in front, and only a name that is not empty has a front.
        if (!name.empty()) {
            name.insert(0, replacement_);
        }
        return;
    }
    std::size_t at = name.find(pattern_);
    while (at != std::string::npos) {
        name.replace(at, pattern_.size(), replacement_);
        if (!options_.allOccurrences) {
            break;
        }
        at = name.find(pattern_, at + replacement_.size());
    }
}

PatternRule::Outcome PatternRule::apply(std::string& name) {
    if (matchesBytes()) {
        applyToBytes(name);
        return Outcome::Done;
    }
    if (!matcher_ || name.empty()) {
        return Outcome::Done;
    }
    const std::optional<icu::UnicodeString> decoded = text::decodeUtf8(name);
    if (!decoded) {
        return Outcome::Done;
    }
    UErrorCode status = U_ZERO_ERROR;
    matcher_->reset(*decoded);
    icu::UnicodeString result;
    bool found = false;
    while (matcher_->find(status) && U_SUCCESS(status)) {
        found = true;
        matcher_->appendReplacement(result, icuReplacement_, status);
        if (!options_.allOccurrences || U_FAILURE(status)) {
            break;
        }
    }
    if (status == U_REGEX_TIME_OUT) {
        return Outcome::TookTooLong;
    }
    if (status == U_REGEX_STOPPED_BY_CALLER) {
        return Outcome::BatchTookTooLong;
    }
    if (!found || U_FAILURE(status)) {
        return Outcome::Done;  // a group the pattern does not have leaves the name as it was
    }
    matcher_->appendTail(result);
    name = text::encodeUtf8(result);
    return Outcome::Done;
}

PatternRule::Search PatternRule::search(std::string_view text) {
    const std::optional<icu::UnicodeString> decoded =
        matcher_ ? text::decodeUtf8(text) : std::nullopt;
    if (!decoded) {
        return {};
    }
    UErrorCode status = U_ZERO_ERROR;
    matcher_->reset(*decoded);
    const bool found = matcher_->find(status) && U_SUCCESS(status);
    if (status == U_REGEX_TIME_OUT) {
        return {Outcome::TookTooLong};
    }
    if (status == U_REGEX_STOPPED_BY_CALLER) {
        return {Outcome::BatchTookTooLong};
    }
    return {Outcome::Done, found, matcher_->hitEnd() != 0};
}

}  // namespace nameshift::engine
