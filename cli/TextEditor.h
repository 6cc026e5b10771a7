#pragma once

#include <optional>
#include <string>

#include "platform/MessageBox.h"

namespace nameshift::cli {

// Lets the user edit `text` in $VISUAL, else $EDITOR, else vi, from a temporary file only the user
// may read; the text as the editor left it, or nothing (the reason shown) when the file could not
// be made or read, or the editor did not end well. The editor's command is read by the shell, as
// other programs read it, so that it may carry its own options ("code --wait").
std::optional<std::string> editText(const std::string& text, platform::MessageBox& messages);

}  // namespace nameshift::cli
