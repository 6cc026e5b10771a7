#include "engine/batch/NameFilter.h"

#include "engine/naming/NamePath.h"

namespace nameshift::engine {
namespace {

platform::Message tookTooLong(std::string_view path, PatternRule::Outcome outcome) {
    const char* text =
        outcome == PatternRule::Outcome::TookTooLong
            ? NS_MESSAGE("Message",
                         "The regular expression takes too long on the name \"%1\". Please "
                         "make it simpler.")
            : NS_MESSAGE("Message",
                         "The include and exclude patterns take too long on the names of this "
                         "folder taken together; they were stopped at the name \"%1\". Please "
                         "make them simpler.");
    return platform::Message{platform::MessageText(text, {std::string(path)}),
                             NS_MESSAGE("Message", "Regular Expression Too Slow"),
                             platform::Icon::Stop};
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
        if (!*pattern) {
            continue;
        }
        if (const std::optional<std::string> problem = patternProblem((*pattern)->text, true)) {
            return platform::Message{
                platform::MessageText(
                    NS_MESSAGE("Message", "The regular expression \"%1\" cannot be used: %2."),
                    {(*pattern)->text, *problem}),
                NS_MESSAGE("Message", "Invalid Regular Expression"), platform::Icon::Information};
        }
    }
    return std::nullopt;
}

PatternRule::Search NameFilter::search(Pattern& pattern, std::string_view path) {
    const PatternRule::Search found = pattern.rule.search(pattern.onPath ? path : leafOf(path));
    if (found.outcome != PatternRule::Outcome::Done && !stopped_) {
        stopped_ = tookTooLong(path, found.outcome);
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
