#pragma once

#include <string>
#include <string_view>

#include "platform/FileSystem.h"

namespace nameshift::settings {

// How the user left the main window's parts, kept in window.ini beside the settings files and
// in their format. A file of its own, so that renset.ini, opt.ini and ID3Opts.ini stay as every
// earlier version wrote them whatever the user does with the window.
struct WindowLayout {
    // The width of the file side, in the window's pixels; 0: none kept.
    int filePaneWidth = 0;

    bool operator==(const WindowLayout&) const = default;
};

std::string formatWindowLayout(const WindowLayout& layout);
// A value that is no width gives none.
WindowLayout parseWindowLayout(std::string_view text);

// The layout kept at `path`; none when there is no file or it cannot be read, which the window
// passes over without a word, as it opens the way it always did.
WindowLayout readWindowLayout(platform::FileSystem& fileSystem, const std::string& path);
platform::Status writeWindowLayout(platform::FileSystem& fileSystem, const std::string& path,
                                   const WindowLayout& layout);

}  // namespace nameshift::settings
