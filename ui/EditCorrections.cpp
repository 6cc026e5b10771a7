#include "ui/EditCorrections.h"

#include <algorithm>

#include "settings/InvalidCharacters.h"

namespace nameshift::ui {
namespace {

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

EditCorrection removeAt(const QString& text, int index, platform::Message message) {
    QString mended = text;
    mended.remove(index, 1);
    return {std::move(message), std::move(mended), index};
}

std::optional<EditCorrection> removeFirstNonDigit(const QString& text) {
    const auto found = std::find_if(text.begin(), text.end(), [](QChar c) { return !isDigit(c); });
    if (found == text.end()) {
        return std::nullopt;
    }
    return removeAt(
        text, static_cast<int>(found - text.begin()),
        {"Entered value can only be a numeric.", "Non-Numeric Value", platform::Icon::Stop});
}

}  // namespace

std::optional<EditCorrection> correctNameText(const QString& text) {
    const auto found = std::find_if(text.begin(), text.end(), [](QChar c) {
        return c.unicode() < 0x80 &&
               settings::isInvalidFileNameCharacter(static_cast<char>(c.unicode()));
    });
    if (found == text.end()) {
        return std::nullopt;
    }
    std::string message = "You have entered an invalid character - ";
    message += static_cast<char>(found->unicode());
    return removeAt(text, static_cast<int>(found - text.begin()),
                    {std::move(message), "Invalid Character", platform::Icon::Stop});
}

std::optional<EditCorrection> correctCounterIncrement(const QString& text) {
    // "00" steps by nothing just as "0" does, and would give every file the same number.
    const bool zero = !text.isEmpty() && std::all_of(text.begin(), text.end(),
                                                     [](QChar c) { return c == QLatin1Char('0'); });
    if (zero) {
        return EditCorrection{{"You must increment by a number greater than zero!",
                               "Invalid Increment", platform::Icon::Stop},
                              QString(),
                              -1};
    }
    return removeFirstNonDigit(text);
}

std::optional<EditCorrection> correctCounterStart(const QString& text) {
    if (text.size() >= 2 && text.front() == QLatin1Char('0')) {
        return removeAt(
            text, 0,
            {"If you wish to pad the counter with zeros then specify, to use, 2 or more "
             "digits from the drop down list",
             "Invalid Start Position", platform::Icon::Stop});
    }
    return removeFirstNonDigit(text);
}

}  // namespace nameshift::ui
