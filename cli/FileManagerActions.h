#pragma once

#include <string>

#include "platform/FileSystem.h"
#include "platform/MessageBox.h"

namespace nameshift::cli {

// "Rename with Nameshift Pro…" for the file managers that keep their actions per user: a
// Nautilus script, and a Thunar custom action among the user's own in uca.xml. Added whether or
// not the file manager is installed yet, so that a later install finds them; taken away exactly,
// every byte of the user's own actions left as it was.
class FileManagerActions {
public:
    // `dataHome` and `configHome` as the XDG base directories give them.
    FileManagerActions(platform::FileSystem& fileSystem, std::string dataHome,
                       std::string configHome);

    // False, with the reason shown, when one of them could not be written.
    bool add(platform::MessageBox& messages);
    bool remove(platform::MessageBox& messages);

    std::string scriptPath() const;
    std::string thunarActionsPath() const;

private:
    platform::FileSystem& fileSystem_;
    std::string dataHome_;
    std::string configHome_;
};

}  // namespace nameshift::cli
