#include "cli/FileManagerActions.h"

#include <utility>

namespace nameshift::cli {
namespace {

constexpr const char* kCaption = "nameshift-cli";

constexpr std::string_view kScript =
    "#!/bin/sh\n"
    "# Rename with Nameshift Pro: the files and folders selected in Nautilus.\n"
    "exec nameshift-launcher \"$@\"\n";

// Thunar's action, told from the user's own by its unique id.
constexpr std::string_view kThunarAction =
    "<action>\n"
    "\t<icon>nameshift</icon>\n"
    "\t<name>Rename with Nameshift Pro…</name>\n"
    "\t<unique-id>io.github.nameshift.rename</unique-id>\n"
    "\t<command>nameshift-launcher %F</command>\n"
    "\t<description>Rename the selected files and folders in a batch</description>\n"
    "\t<patterns>*</patterns>\n"
    "\t<startup-notify/>\n"
    "\t<directories/>\n"
    "\t<audio-files/>\n"
    "\t<image-files/>\n"
    "\t<other-files/>\n"
    "\t<text-files/>\n"
    "\t<video-files/>\n"
    "</action>\n";

constexpr std::string_view kEmptyThunarActions =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<actions>\n</actions>\n";
constexpr std::string_view kActionsEnd = "</actions>";
constexpr std::size_t kMostActionsBytes = std::size_t{16} * 1024 * 1024;

bool refuse(platform::MessageBox& messages, const std::string& text) {
    messages.show(text, kCaption, platform::Icon::Stop);
    return false;
}

bool write(platform::FileSystem& fileSystem, platform::MessageBox& messages,
           const std::string& path, const std::string& text, bool runnable = false) {
    const auto slash = path.rfind('/');
    platform::Status status = fileSystem.makeDirectories(path.substr(0, slash));
    if (status.ok()) {
        platform::FileContents contents(text);
        if (runnable) {
            contents.runnable();
        }
        status = fileSystem.writeFile(path, contents, platform::WriteMode::Replace);
    }
    return status.ok() || refuse(messages, "Cannot write \"" + path + "\": " + status.message());
}

}  // namespace

FileManagerActions::FileManagerActions(platform::FileSystem& fileSystem, std::string dataHome,
                                       std::string configHome)
    : fileSystem_(fileSystem), dataHome_(std::move(dataHome)), configHome_(std::move(configHome)) {}

std::string FileManagerActions::scriptPath() const {
    return dataHome_ + "/nautilus/scripts/Rename with Nameshift Pro…";
}

std::string FileManagerActions::thunarActionsPath() const {
    return configHome_ + "/Thunar/uca.xml";
}

bool FileManagerActions::add(platform::MessageBox& messages) {
    if (!write(fileSystem_, messages, scriptPath(), std::string(kScript), true)) {
        return false;
    }
    const std::string path = thunarActionsPath();
    const auto read = fileSystem_.readFile(path, kMostActionsBytes);
    std::string actions = read.ok() ? *read : std::string(kEmptyThunarActions);
    if (actions.find(kThunarAction) != std::string::npos) {
        return true;
    }
    const std::size_t end = actions.rfind(kActionsEnd);
    if (end == std::string::npos) {
        return refuse(messages, "Cannot add to \"" + path + "\": it holds no list of actions.");
    }
    actions.insert(end, kThunarAction);
    return write(fileSystem_, messages, path, actions);
}

bool FileManagerActions::remove(platform::MessageBox& messages) {
    const auto script = fileSystem_.readFile(scriptPath(), kScript.size() + 1);
    // A script of the user's own under that name stays.
    if (script.ok() && *script == kScript) {
        fileSystem_.removeFile(scriptPath());
    }
    const std::string path = thunarActionsPath();
    const auto read = fileSystem_.readFile(path, kMostActionsBytes);
    if (!read.ok()) {
        return true;
    }
    std::string actions = *read;
    const std::size_t at = actions.find(kThunarAction);
    if (at == std::string::npos) {
        return true;
    }
    actions.erase(at, kThunarAction.size());
    return write(fileSystem_, messages, path, actions);
}

}  // namespace nameshift::cli
