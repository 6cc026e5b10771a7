#include "platform/StatePaths.h"

#include <cstdlib>

namespace nameshift::platform {

std::string userStateDirectory() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state != nullptr && state[0] == '/') {
        return std::string(state) + "/nameshift";
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/') {
        return std::string(home) + "/.local/state/nameshift";
    }
    return {};
}

}  // namespace nameshift::platform
