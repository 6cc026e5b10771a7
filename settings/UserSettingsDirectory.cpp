#include "settings/UserSettingsDirectory.h"

#include <string_view>

namespace nameshift::settings {

std::string userSettingsDirectory(const char* xdgConfigHome, const char* home) {
    const std::string_view configHome = xdgConfigHome != nullptr ? xdgConfigHome : "";
    if (!configHome.empty() && configHome.front() == '/') {
        return std::string(configHome) + "/nameshift";
    }
    const std::string_view homeDirectory = home != nullptr ? home : "";
    if (homeDirectory.empty() || homeDirectory.front() != '/') {
        return {};
    }
    return std::string(homeDirectory) + "/.config/nameshift";
}

}  // namespace nameshift::settings
