#include "engine/batch/NameFilter.h"

#include "engine/batch/NameComputation.h"
#include "engine/naming/NamePath.h"
#include "engine/naming/NameRules.h"

namespace nameshift::engine {
namespace {

platform::Message slowFilterMessage(std::string_view path, PatternRule::Outcome outcome) {
    if (outcome == PatternRule::Outcome::TookTooLong) {
        return tookTooLong(std::string(path));
    }
    return platform::Message{
        platform::MessageText(
            NS_MESSAGE("Message",
                       "The include and exclude patterns take too long on the names of this "
                       "folder taken together; they were stopped at the name \"%1\". Please "
                       "make them simpler."),
            {std::string(path)}),
        NS_MESSAGE("Message", "Regular Expression Too Slow"), platform::Icon::Stop};
}

}  // namespace

NameFilter::NameFilter(const std::string& include, const std::string& exclude)
    : include_(patternOf(include)), exclude_(patternOf(exclude)) {}

std::optional<NameFilter::Pattern> NameFilter::patternOf(const std::string& text) {
    if (text.empty()) {
        return std::nullopt;
    }
    return Pattern{text, PatternRule(text, {}, {.regex = true}),
                   text.find('/') != std::string::npos};
}

std::optional<platform::Message> NameFilter::refusal() const {
    for (const std::optional<Pattern>* pattern : {&include_, &exclude_}) {
        if (auto refusal = patternRefusal(pattern->has_value(),
                                          *pattern ? (*pattern)->text : std::string(), true)) {
            return refusal;
        }
    }
    return std::nullopt;
}

PatternRule::Search NameFilter::search(Pattern& pattern, std::string_view path) {
    const PatternRule::Search found = pattern.rule.search(pattern.onPath ? path : leafOf(path));
    if (found.outcome != PatternRule::Outcome::Done && !stopped_) {
        stopped_ = slowFilterMessage(path, found.outcome);
    }
    return found;
}

bool NameFilter::lists(std::string_view path) {
    if (stopped_) {
        return false;
    }
    if (include_ && !search(*include_, path).found) {
        return false;
    }
    return !(exclude_ && search(*exclude_, path).found) && !stopped_;
}

bool NameFilter::excludesFolder(std::string_view path) {
    if (!exclude_ || !exclude_->onPath || stopped_) {
        return false;
    }
    // Found without a look past the slash, the pattern is found in every path that goes on from
    // there.
    std::string folder(path);
    folder += '/';
    const PatternRule::Search found = search(*exclude_, folder);
    return found.found && !found.needsMore;
}

}  // namespace nameshift::engine
