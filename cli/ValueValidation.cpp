#include "cli/ValueValidation.h"

#include <algorithm>
#include <array>
#include <string>

#include "settings/InvalidCharacters.h"

namespace nameshift::cli {
namespace {

platform::Message stop(std::string text, std::string caption) {
    return platform::Message{std::move(text), std::move(caption), platform::Icon::Stop,
                             platform::Buttons::Ok};
}

constexpr const char* kInvalidCharacter = "You have entered an invalid character - ";

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool allDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), isDigit);
}

platform::Message nonNumeric() {
    return stop("Entered value can only be a numeric.", "Non-Numeric Value");
}

platform::Message tooLong(std::size_t longest) {
    return stop("Entered value can be at most " + std::to_string(longest) + " characters long.",
                "Value Too Long");
}

}  // namespace

std::optional<platform::Message> checkNameText(std::string_view text) {
    const auto bad = std::find_if(text.begin(), text.end(), settings::isInvalidFileNameCharacter);
    if (bad != text.end()) {
        return stop(kInvalidCharacter + std::string(1, *bad), "Invalid Character");
    }
    if (text.size() > kLongestNameText) {
        return tooLong(kLongestNameText);
    }
    return std::nullopt;
}

std::optional<platform::Message> checkCounterStart(std::string_view text) {
    if (text.size() >= 2 && text.front() == '0') {
        return stop(
            "If you wish to pad the counter with zeros then specify, to use, 2 or more digits "
            "from the drop down list",
            "Invalid Start Position");
    }
    if (!allDigits(text)) {
        return nonNumeric();
    }
    if (text.size() > kLongestCounterText) {
        return tooLong(kLongestCounterText);
    }
    return std::nullopt;
}

std::optional<platform::Message> checkCounterIncrement(std::string_view text) {
    // The edit refuses a lone "0" as it is typed; "00" would slip past that test and give every
    // file the same counter, so any step of zero is refused.
    const bool zero =
        !text.empty() && allDigits(text) && text.find_first_not_of('0') == std::string_view::npos;
    if (zero) {
        return stop("You must increment by a number greater than zero!", "Invalid Increment");
    }
    if (!allDigits(text)) {
        return nonNumeric();
    }
    if (text.size() > kLongestCounterText) {
        return tooLong(kLongestCounterText);
    }
    return std::nullopt;
}

std::optional<platform::Message> checkId3Format(std::string_view format) {
    std::string found;
    for (const char c : settings::kInvalidFileNameCharacters) {
        if (format.find(c) != std::string_view::npos) {
            found += c;
        }
    }
    if (!found.empty()) {
        return stop(kInvalidCharacter + found, "Invalid Character");
    }
    if (format.size() > kLongestNameText) {
        return tooLong(kLongestNameText);
    }
    return std::nullopt;
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
