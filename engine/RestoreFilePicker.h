#pragma once

#include <optional>
#include <string>

namespace nameshift::engine {

// What the open-file choice of a restore file shows.
inline constexpr const char* kRestorePickerTitle = "Select the restore file";
inline constexpr const char* kRestorePickerFilter = "Dat Files (*.dat)";
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
