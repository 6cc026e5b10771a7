#pragma once

#include <string>

#include "platform/MessageBox.h"
#include "platform/Status.h"

namespace nameshift::platform {

// The messages about a folder the system refused, the same in the dialogs and the command-line
// tool: the step that failed and the folder it failed on, then the system's own reason, under the
// program's title.
inline Message cannotOpenFolder(const std::string& path, const Status& status) {
    return Message{
        {NS_MESSAGE("Message", "Cannot open the folder \"%1\": %2"), {path, status.message()}},
        kProgramTitle,
        Icon::Stop};
}

inline Message cannotReadCurrentFolder(const Status& status) {
    return Message{
        {NS_MESSAGE("Message", "Cannot read the current folder: %1"), {status.message()}},
        kProgramTitle,
        Icon::Stop};
}

inline Message cannotListVolumes(const Status& status) {
    return Message{
        {NS_MESSAGE("Message", "Cannot list the mounted volumes: %1"), {status.message()}},
        kProgramTitle,
        Icon::Stop};
}

}  // namespace nameshift::platform
