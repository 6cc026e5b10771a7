#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/MessageBox.h"

// The rules the main dialog's edits apply while the user types. The dialog mends the text one
// fault (and one message) at a time; the command-line tool refuses a value that needs mending,
// with the same message.
namespace nameshift::engine {

// The longest texts the counter's edits take, and the most digits the counter is padded to. A
// longer text is cut by the edit before any correction sees it; the tool refuses it with the
// messages below.
inline constexpr std::size_t kLongestCounterStart = 6;
inline constexpr std::size_t kLongestCounterIncrement = 3;
inline constexpr int kMostCounterDigits = 6;

struct EditCorrection {
    platform::Message message;
    std::string text;    // what the field holds after the correction
    int removedAt = -1;  // the byte taken out; -1 when the field was emptied
};

// The parts of a file name (prefix, extension, strings): the first character a file name may
// not hold is taken out.
std::optional<EditCorrection> correctNameText(std::string_view text);
// "Increment by:": zero empties the field; anything but a digit is taken out.
std::optional<EditCorrection> correctCounterIncrement(std::string_view text);
// "Start counter at:": a leading zero of two or more characters is taken out (zeros in front
// come from the digit count); anything but a digit is taken out.
std::optional<EditCorrection> correctCounterStart(std::string_view text);
// A count of characters ("Insert ... at position", "Remove ... characters from position"): zero
// is a count like any other; anything but a digit is taken out.
std::optional<EditCorrection> correctCharacterCount(std::string_view text);
// The ID3 options' advanced format: one message names every invalid character present, once
// each, in the order of the list; the first occurrence of the last one named is taken out.
std::optional<EditCorrection> correctId3Format(std::string_view text);

}  // namespace nameshift::engine
