#include "settings/WindowLayoutFile.h"

#include <charconv>

#include "settings/SettingsReader.h"
#include "settings/SettingsWriter.h"

namespace nameshift::settings {
namespace {

constexpr std::string_view kTitle = "= Nameshift Pro Window Layout File               =";
constexpr std::string_view kFilePaneWidth = "-= File Pane Width =-";
// Far wider than any screen: a larger number is no width the window was given.
constexpr int kWidestPane = 100'000;
// A layout file holds a few lines; anything larger is not one.
constexpr std::size_t kMostBytes = 4096;

}  // namespace

std::string formatWindowLayout(const WindowLayout& layout) {
    SettingsWriter writer(kTitle);
    writer.addString(kFilePaneWidth, std::to_string(layout.filePaneWidth));
    return writer.text();
}

WindowLayout parseWindowLayout(std::string_view text) {
    WindowLayout layout;
    const StringValue value = SettingsReader(text).stringValue(kFilePaneWidth);
    if (value.kind != StringValue::Kind::Text) {
        return layout;
    }
    int width = 0;
    const char* end = value.text.data() + value.text.size();
    const auto [stop, error] = std::from_chars(value.text.data(), end, width);
    if (error == std::errc() && stop == end && width > 0 && width <= kWidestPane) {
        layout.filePaneWidth = width;
    }
    return layout;
}

WindowLayout readWindowLayout(platform::FileSystem& fileSystem, const std::string& path) {
    const platform::Result<std::string> text = fileSystem.readFile(path, kMostBytes);
    return text.ok() ? parseWindowLayout(*text) : WindowLayout{};
}

platform::Status writeWindowLayout(platform::FileSystem& fileSystem, const std::string& path,
                                   const WindowLayout& layout) {
    return fileSystem.writeFile(path, formatWindowLayout(layout), platform::WriteMode::Replace);
}

}  // namespace nameshift::settings
