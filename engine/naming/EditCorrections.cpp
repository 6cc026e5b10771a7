#include "engine/naming/EditCorrections.h"

#include <algorithm>

#include "settings/InvalidCharacters.h"

namespace nameshift::engine {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

EditCorrection removeAt(std::string_view text, std::size_t index, platform::MessageText message,
                        platform::MessageText caption) {
    std::string mended(text);
    mended.erase(index, 1);
    return {{std::move(message), std::move(caption), platform::Icon::Stop, platform::Buttons::Ok},
            std::move(mended),
            static_cast<int>(index)};
}

std::optional<EditCorrection> removeFirstNonDigit(std::string_view text) {
    const auto found = std::find_if_not(text.begin(), text.end(), isDigit);
    if (found == text.end()) {
        return std::nullopt;
    }
    return removeAt(text, static_cast<std::size_t>(found - text.begin()),
                    NS_MESSAGE("Message", "Entered value can only be a numeric."),
                    NS_MESSAGE("Message", "Non-Numeric Value"));
}

}  // namespace

std::optional<EditCorrection> correctNameText(std::string_view text) {
    const auto found = std::find_if(text.begin(), text.end(), settings::isInvalidFileNameCharacter);
    if (found == text.end()) {
        return std::nullopt;
    }
    return removeAt(
        text, static_cast<std::size_t>(found - text.begin()),
        platform::MessageText(NS_MESSAGE("Message", "You have entered an invalid character - %1"),
                              {std::string(1, *found)}),
        NS_MESSAGE("Message", "Invalid Character"));
}

std::optional<EditCorrection> correctCounterIncrement(std::string_view text) {
    // "00" steps by nothing just as "0" does, and would give every file the same number.
    if (!text.empty() && text.find_first_not_of('0') == std::string_view::npos) {
        return EditCorrection{
            {NS_MESSAGE("Message", "You must increment by a number greater than zero!"),
             NS_MESSAGE("Message", "Invalid Increment"), platform::Icon::Stop,
             platform::Buttons::Ok},
            std::string(),
            -1};
    }
    return removeFirstNonDigit(text);
}

std::optional<EditCorrection> correctCounterStart(std::string_view text) {
    if (text.size() >= 2 && text.front() == '0') {
        return removeAt(
            text, 0,
            NS_MESSAGE("Message",
                       "If you wish to pad the counter with zeros then specify, to use, 2 or "
                       "more digits from the drop down list"),
            NS_MESSAGE("Message", "Invalid Start Position"));
    }
    return removeFirstNonDigit(text);
}

std::optional<EditCorrection> correctCharacterCount(std::string_view text) {
    return removeFirstNonDigit(text);
}

std::optional<EditCorrection> correctId3Format(std::string_view text) {
    std::string found;
    for (const char invalid : settings::kInvalidFileNameCharacters) {
        if (text.find(invalid) != std::string_view::npos) {
            found += invalid;
        }
    }
    if (found.empty()) {
        return std::nullopt;
    }
    return removeAt(
        text, text.find(found.back()),
        platform::MessageText(NS_MESSAGE("Message", "You have entered an invalid character - %1"),
                              {found}),
        NS_MESSAGE("Message", "Invalid Character"));
}

}  // namespace nameshift::engine
