#include "engine/batch/NameComputation.h"

#include <algorithm>

#include "engine/naming/NameRules.h"
#include "engine/naming/NameTemplate.h"
#include "engine/naming/PatternRule.h"
#include "engine/naming/PreparedRules.h"
#include "settings/InvalidCharacters.h"

namespace nameshift::engine {
namespace {

platform::Message note(const char* text, const char* caption) {
    return platform::Message{text, caption, platform::Icon::Information};
}

// A replacement whose "$" names no group would leave every name as it was, which looks like
// success; it is refused as a pattern that does not compile is.
std::optional<platform::Message> replacementRefusal(const settings::RenameSettings& settings) {
    if (!settings.replaceString || !settings.replaceRegex) {
        return std::nullopt;
    }
    const std::optional<std::string> problem =
        replacementProblem(settings.replaceFrom, settings.replaceWith, settings.replaceMatchCase);
    if (!problem) {
        return std::nullopt;
    }
    return platform::Message{
        platform::MessageText(NS_MESSAGE("Message",
                                         "The replacement \"%1\" cannot be used with the regular "
                                         "expression \"%2\": %3."),
                              {settings.replaceWith, settings.replaceFrom, *problem}),
        NS_MESSAGE("Message", "Invalid Regular Expression"), platform::Icon::Information};
}

std::optional<platform::Message> templateRefusal(const settings::RenameSettings& settings) {
    if (settings.nameTemplate.empty()) {
        return std::nullopt;
    }
    auto parsed = NameTemplate::parse(settings.nameTemplate);
    auto* problem = std::get_if<platform::MessageText>(&parsed);
    if (problem == nullptr) {
        return std::nullopt;
    }
    return platform::Message{std::move(*problem), NS_MESSAGE("Message", "Invalid Name Template"),
                             platform::Icon::Information};
}

}  // namespace

std::optional<platform::Message> patternRefusal(bool used, const std::string& pattern,
                                                bool matchCase) {
    if (!used) {
        return std::nullopt;
    }
    const std::optional<std::string> problem = patternProblem(pattern, matchCase);
    if (!problem) {
        return std::nullopt;
    }
    return platform::Message{
        platform::MessageText(
            NS_MESSAGE("Message", "The regular expression \"%1\" cannot be used: %2."),
            {pattern, *problem}),
        NS_MESSAGE("Message", "Invalid Regular Expression"), platform::Icon::Information};
}

std::optional<platform::Message> findSettingsRefusal(const settings::RenameSettings& settings,
                                                     std::size_t tickedCount) {
    if (tickedCount == 0) {
        return note(
            NS_MESSAGE("Message", "Nothing to preview. You must select at least one file first."),
            NS_MESSAGE("Message", "Warning!"));
    }
    if (settings.changePrefix && settings.prefixText.empty()) {
        return note(
            NS_MESSAGE(
                "Message",
                "Please Note: If you wish to alter the prefix you must enter a name in the prefix "
                "edit box"),
            NS_MESSAGE("Message", "No Prefix Specified!"));
    }
    if (settings.changeExtension && settings.extensionText.empty()) {
        return note(
            NS_MESSAGE(
                "Message",
                "Please Note: If you wish to alter the extension you must enter a name in the "
                "extension edit box"),
            NS_MESSAGE("Message", "No Extension Specified!"));
    }
    if (settings.useCounter && settings.counterIncrement.empty()) {
        return note(NS_MESSAGE("Message",
                               "Please Note: If you wish to add a counter you must specify the "
                               "counter increment in "
                               "the increment edit box"),
                    NS_MESSAGE("Message", "Counter Increment Not Specified!"));
    }
    if (settings.useCounter && settings.counterStart.empty()) {
        return note(
            NS_MESSAGE(
                "Message",
                "Please Note: If you wish to add a counter you must specify the counter's start "
                "position in the start position edit box"),
            NS_MESSAGE("Message", "No Start Position Specified!"));
    }
    return findPatternRefusal(settings);
}

std::optional<platform::Message> findPatternRefusal(const settings::RenameSettings& settings) {
    if (auto refusal = patternRefusal(settings.removeString && settings.removeRegex,
                                      settings.stringToRemove, settings.removeMatchCase)) {
        return refusal;
    }
    if (auto refusal = patternRefusal(settings.replaceString && settings.replaceRegex,
                                      settings.replaceFrom, settings.replaceMatchCase)) {
        return refusal;
    }
    if (auto refusal = replacementRefusal(settings)) {
        return refusal;
    }
    return templateRefusal(settings);
}

std::optional<platform::Message> findListedNamesRefusal(
    const std::vector<std::string>& names, const std::vector<std::string_view>& ticked) {
    const std::size_t tickedCount = ticked.size();
    const char* caption = NS_MESSAGE("Message", "List of Names");
    if (names.size() != tickedCount) {
        return platform::Message{
            {NS_MESSAGE_N("Message", "The list gives %1 names for %n ticked file(s)."),
             {std::to_string(names.size())},
             static_cast<long long>(tickedCount)},
            caption,
            platform::Icon::Stop};
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == ticked[i]) {
            continue;
        }
        const std::string line = std::to_string(i + 1);
        if (names[i].empty()) {
            return platform::Message{
                {NS_MESSAGE("Message", "Line %1 of the list is empty."), {line}},
                caption,
                platform::Icon::Stop};
        }
        const auto bad = std::find_if(names[i].begin(), names[i].end(), [](char c) {
            return settings::isInvalidFileNameCharacter(c) ||
                   static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
        });
        if (bad != names[i].end()) {
            return platform::Message{{NS_MESSAGE("Message",
                                                 "Line %1 of the list, \"%2\", holds \"%3\", "
                                                 "which a file name may not hold."),
                                      {line, names[i], std::string(1, *bad)}},
                                     caption,
                                     platform::Icon::Stop};
        }
    }
    return std::nullopt;
}

platform::Message noId3OptionsRefusal() {
    return platform::Message{NS_MESSAGE("Message", "You have not specified any ID3 options"),
                             NS_MESSAGE("Message", "No options specified"), platform::Icon::Stop};
}

namespace {

std::optional<platform::Message> nameRun(PreparedRules& rules, std::span<PlannedChange> changes,
                                         std::size_t firstPosition) {
    // The rules work on a list of names, since a counter runs over the whole batch.
    std::vector<std::string> names;
    names.reserve(changes.size());
    for (PlannedChange& change : changes) {
        names.push_back(std::move(change.newName));
    }
    std::optional<platform::Message> refusal = applyNameRules(rules, names, firstPosition);
    for (std::size_t i = 0; i < changes.size(); ++i) {
        changes[i].newName = std::move(names[i]);
    }
    return refusal;
}

}  // namespace

std::optional<platform::Message> nameChanges(PreparedRules& rules, std::span<PlannedChange> changes,
                                             std::size_t firstPosition, std::string_view keptName) {
    const auto kept = keptName.empty() ? changes.end()
                                       : std::find_if(changes.begin(), changes.end(),
                                                      [keptName](const PlannedChange& change) {
                                                          return change.oldName == keptName;
                                                      });
    if (kept == changes.end()) {
        return nameRun(rules, changes, firstPosition);
    }
    const auto before = static_cast<std::size_t>(kept - changes.begin());
    if (auto refusal = nameRun(rules, changes.first(before), firstPosition)) {
        return refusal;
    }
    return nameRun(rules, changes.subspan(before + 1), firstPosition + before);
}

}  // namespace nameshift::engine
