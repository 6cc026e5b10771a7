#pragma once

#include <optional>
#include <string_view>

#include "platform/MessageBox.h"
#include "settings/RenameSettings.h"

namespace nameshift::cli {

// The edits of the main dialog whose values are checked as they are typed.
enum class RuleField {
    PrefixText,
    ExtensionText,
    StringToRemove,
    ReplaceFrom,
    ReplaceWith,
    CounterStart,
    CounterIncrement,
    Id3Format,
};

// A value that the dialog's edit would not take, and the message the edit gives for it.
struct RefusedValue {
    RuleField field;
    platform::Message message;
};

// The longest texts the edits take: the counters hold two digits, the name parts 255 bytes.
inline constexpr std::size_t kLongestCounterText = 2;
inline constexpr std::size_t kLongestNameText = 255;

// The dialog removes a bad value from its edit with a message; a script cannot be asked to type
// again, so a run with such a value is refused with the same message.
std::optional<platform::Message> checkNameText(std::string_view text);
std::optional<platform::Message> checkCounterStart(std::string_view text);
std::optional<platform::Message> checkCounterIncrement(std::string_view text);
// The ID3 options dialog names every invalid character of its format at once.
std::optional<platform::Message> checkId3Format(std::string_view format);

// The first value of the rule settings that an edit would refuse, in the order of the dialog's
// edits: prefix, extension, string to remove, replace from and with, counter start and step.
std::optional<RefusedValue> findRefusedValue(const settings::RenameSettings& rules);

// How a field is called in the line that says where a refused value came from.
std::string_view describeField(RuleField field);

}  // namespace nameshift::cli
