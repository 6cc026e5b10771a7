#include "cli/ValueValidation.h"

#include <algorithm>
#include <array>
#include <string>

#include "engine/EditCorrections.h"

namespace nameshift::cli {
namespace {

platform::Message stop(std::string text, std::string caption) {
    return platform::Message{std::move(text), std::move(caption), platform::Icon::Stop,
                             platform::Buttons::Ok};
}

platform::Message tooLong(std::size_t longest) {
    return stop("Entered value can be at most " + std::to_string(longest) + " characters long.",
                "Value Too Long");
}

// The edit would mend the value with a message; a script gets that message as a refusal.
template <typename Correct>
std::optional<platform::Message> checkAsTheEditWould(std::string_view text, Correct correct,
                                                     std::size_t longest) {
    if (auto correction = correct(text)) {
        return std::move(correction->message);
    }
    if (text.size() > longest) {
        return tooLong(longest);
    }
    return std::nullopt;
}

}  // namespace

std::optional<platform::Message> checkNameText(std::string_view text) {
    return checkAsTheEditWould(text, engine::correctNameText, kLongestNameText);
}

std::optional<platform::Message> checkCounterStart(std::string_view text) {
    return checkAsTheEditWould(text, engine::correctCounterStart, kLongestCounterText);
}

std::optional<platform::Message> checkCounterIncrement(std::string_view text) {
    return checkAsTheEditWould(text, engine::correctCounterIncrement, kLongestCounterText);
}

std::optional<platform::Message> checkId3Format(std::string_view format) {
    return checkAsTheEditWould(format, engine::correctId3Format, kLongestNameText);
}

std::optional<RefusedValue> findRefusedValue(const settings::RenameSettings& rules) {
    using Check = std::optional<platform::Message> (*)(std::string_view);
    struct Edit {
        RuleField field;
        const std::string& value;
        Check check;
    };
    const std::array<Edit, 7> edits = {{
        {RuleField::PrefixText, rules.prefixText, checkNameText},
        {RuleField::ExtensionText, rules.extensionText, checkNameText},
        {RuleField::StringToRemove, rules.stringToRemove, checkNameText},
        {RuleField::ReplaceFrom, rules.replaceFrom, checkNameText},
        {RuleField::ReplaceWith, rules.replaceWith, checkNameText},
        {RuleField::CounterStart, rules.counterStart, checkCounterStart},
        {RuleField::CounterIncrement, rules.counterIncrement, checkCounterIncrement},
    }};
    for (const Edit& edit : edits) {
        if (auto message = edit.check(edit.value)) {
            return RefusedValue{edit.field, std::move(*message)};
        }
    }
    return std::nullopt;
}

std::string_view describeField(RuleField field) {
    switch (field) {
        case RuleField::PrefixText:
            return "the prefix text";
        case RuleField::ExtensionText:
            return "the extension text";
        case RuleField::StringToRemove:
            return "the string to remove";
        case RuleField::ReplaceFrom:
            return "the string to replace";
        case RuleField::ReplaceWith:
            return "the replacement string";
        case RuleField::CounterStart:
            return "the counter start";
        case RuleField::CounterIncrement:
            return "the counter increment";
        case RuleField::Id3Format:
            return "the ID3 format";
    }
    return "a value";
}

}  // namespace nameshift::cli
