#pragma once

#include <optional>
#include <string_view>

#include "engine/naming/EditCorrections.h"
#include "platform/MessageBox.h"
#include "settings/RenameSettings.h"

namespace nameshift::cli {

struct RuleOverrides;

// A value that the dialog's edit would not take, and the message the edit gives for it.
struct RefusedValue {
    std::string_view field;  // as the line that says where the value came from calls it
    bool givenOnCommandLine = false;
    platform::Message message;
};

// The longest texts the edits take: the counter starts at up to six digits and steps by up to
// three, the name parts hold 255 bytes and a count of characters within them three digits.
inline constexpr std::size_t kLongestCounterStart = engine::kLongestCounterStart;
inline constexpr std::size_t kLongestCounterStep = engine::kLongestCounterIncrement;
inline constexpr std::size_t kLongestNameText = 255;
inline constexpr std::size_t kLongestCharacterCount = 3;

// The dialog removes a bad value from its edit with a message; a script cannot be asked to type
// again, so a run with such a value is refused with the same message.
using ValueCheck = std::optional<platform::Message> (*)(std::string_view);
std::optional<platform::Message> checkNameText(std::string_view text);
// A regular expression is no part of a name: it may hold what names may not ("\\d+", "a|b");
// only its length is checked here, the pattern itself where the names are made.
std::optional<platform::Message> checkPatternText(std::string_view text);
std::optional<platform::Message> checkCounterStart(std::string_view text);
std::optional<platform::Message> checkCounterIncrement(std::string_view text);
// A count of characters of the base name (where to insert, how many to remove, from where):
// digits only, empty for the rule's own default.
std::optional<platform::Message> checkCharacterCount(std::string_view text);
// The ID3 options dialog names every invalid character of its format at once.
std::optional<platform::Message> checkId3Format(std::string_view format);

// The first value of the rule settings that an edit would refuse, in the order of the dialog's
// edits; `overrides` tell whether the command line gave it.
std::optional<RefusedValue> findRefusedValue(const settings::RenameSettings& rules,
                                             const RuleOverrides& overrides);

}  // namespace nameshift::cli
