#pragma once

#include <optional>
#include <string>

#include "platform/MessageText.h"

namespace nameshift::ui {

enum class CaseBox { Lower, Upper, FirstLetter };

// The warning shown when `turnedOn` is checked while other case boxes are on: which case the
// combination ends in. Nothing when the box is alone; turning a box off never warns.
std::optional<platform::MessageText> caseWarningText(CaseBox turnedOn, bool lowerOn, bool upperOn,
                                                     bool firstLetterOn);

// The same warning in English.
std::optional<std::string> caseWarning(CaseBox turnedOn, bool lowerOn, bool upperOn,
                                       bool firstLetterOn);

inline constexpr const char* kCaseWarningCaption = NS_MESSAGE("Message", "Warning!");

}  // namespace nameshift::ui
