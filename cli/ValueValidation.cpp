#include "cli/ValueValidation.h"

#include <string>
#include <utility>

#include "cli/CliOptions.h"
#include "cli/RuleTexts.h"
#include "engine/naming/EditCorrections.h"

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

std::optional<platform::Message> checkPatternText(std::string_view text) {
    return text.size() > kLongestNameText ? std::optional(tooLong(kLongestNameText)) : std::nullopt;
}

std::optional<platform::Message> checkCounterStart(std::string_view text) {
    return checkAsTheEditWould(text, engine::correctCounterStart, kLongestCounterStart);
}

std::optional<platform::Message> checkCounterIncrement(std::string_view text) {
    return checkAsTheEditWould(text, engine::correctCounterIncrement, kLongestCounterStep);
}

std::optional<platform::Message> checkCharacterCount(std::string_view text) {
    if (text.find_first_not_of("0123456789") != std::string_view::npos) {
        return stop("Entered value can only be a numeric.", "Non-Numeric Value");
    }
    if (text.size() > kLongestCharacterCount) {
        return tooLong(kLongestCharacterCount);
    }
    return std::nullopt;
}

std::optional<platform::Message> checkId3Format(std::string_view format) {
    return checkAsTheEditWould(format, engine::correctId3Format, kLongestNameText);
}

std::optional<RefusedValue> findRefusedValue(const settings::RenameSettings& rules,
                                             const RuleOverrides& overrides) {
    for (const RuleText& text : kRuleTexts) {
        const bool isPattern = text.patternFlag != nullptr && rules.*text.patternFlag;
        if (auto message = (isPattern ? checkPatternText : text.check)(rules.*text.field)) {
            return RefusedValue{text.description, overrides.text(text.field).has_value(),
                                std::move(*message)};
        }
    }
    return std::nullopt;
}

}  // namespace nameshift::cli
