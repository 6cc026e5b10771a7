#pragma once

#include <optional>
#include <string>

#include "platform/MessageText.h"

namespace nameshift::engine {

// What the open-file choice of a restore file shows; the dialogs translate the title and the
// filter as they translate messages.
inline constexpr const char* kRestorePickerTitle = NS_MESSAGE("Message", "Select the restore file");
inline constexpr const char* kRestorePickerFilter = NS_MESSAGE("Message", "Dat Files (*.dat)");
inline constexpr const char* kRestorePickerSuffix = "dat";

// Lets the user choose the restore file to undo a batch with. The dialog asks through the
// system's file dialog; tests answer from a script.
class RestoreFilePicker {
public:
    virtual ~RestoreFilePicker() = default;

    // The full path of the chosen file, or nothing when the user cancels. The choice starts in
    // `initialDirectory`.
    virtual std::optional<std::string> chooseRestoreFile(const std::string& initialDirectory) = 0;
};

}  // namespace nameshift::engine
