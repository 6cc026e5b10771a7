#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Marks a message template for Qt's lupdate, which reads it as QT_TRANSLATE_NOOP: the first
// argument is always "Message", the context the message box looks the template up in. The layers
// below the dialogs link no Qt, so they cannot call tr() themselves.
#define NS_MESSAGE(context, text) text
// The same for a template with a count ("%n"), which lupdate reads as QT_TRANSLATE_N_NOOP so that
// a translation gives each plural form of its language.
#define NS_MESSAGE_N(context, text) text

namespace nameshift::platform {

inline constexpr const char* kMessageContext = "Message";

// A message's text as a template with numbered placeholders ("%1" to "%9", and "%n" for a count)
// and its arguments. The dialogs translate the template and then fill in the arguments, so a file
// name inserted into a message is never translated. A text built from a plain string is its own
// template and holds no placeholders.
struct MessageText {
    MessageText() = default;
    MessageText(std::string text) : pattern(std::move(text)) {}
    MessageText(const char* text) : pattern(text) {}
    MessageText(std::string pattern_, std::vector<std::string> arguments_,
                std::optional<long long> count_ = std::nullopt)
        : pattern(std::move(pattern_)), arguments(std::move(arguments_)), count(count_) {}

    std::string pattern;
    std::vector<std::string> arguments;
    std::optional<long long> count;  // what "%n" stands for, and picks the plural form by
    // Messages that together stand for the placeholder after the last of `arguments`, joined as
    // they are: a list whose lines have words of their own to translate.
    std::vector<MessageText> parts;

    // The untranslated text: the template with its arguments filled in.
    std::string filled() const;

    // Replaces each placeholder in one pass, so that an argument holding "%1" stays as it is.
    // A placeholder without an argument stays too.
    static std::string fillPlaceholders(std::string_view pattern,
                                        const std::vector<std::string>& arguments,
                                        std::optional<long long> count);
};

}  // namespace nameshift::platform
