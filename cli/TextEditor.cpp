#include "cli/TextEditor.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

namespace nameshift::cli {
namespace {

constexpr const char* kCaption = "nameshift-cli";

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

bool refuse(platform::MessageBox& messages, const std::string& text) {
    messages.show(text, kCaption, platform::Icon::Stop);
    return false;
}

// Runs the editor on `path` and waits for it; false, with the reason shown, unless it ended well.
bool runEditor(const std::string& path, platform::MessageBox& messages) {
    std::string editor = environment("VISUAL");
    if (editor.empty()) {
        editor = environment("EDITOR");
    }
    if (editor.empty()) {
        editor = "vi";
    }
    const std::string command = editor + " \"$1\"";
    const pid_t child = ::fork();
    if (child < 0) {
        return refuse(messages, "Cannot start the editor \"" + editor +
                                    "\": " + std::strerror(errno) + ". Nothing was renamed.");
    }
    if (child == 0) {
        ::execl("/bin/sh", "sh", "-c", command.c_str(), "sh", path.c_str(),
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return refuse(messages,
                      "The editor \"" + editor + "\" did not end well, so nothing was renamed.");
    }
    return true;
}

}  // namespace

std::optional<std::string> editText(const std::string& text, platform::MessageBox& messages) {
    std::string folder = environment("TMPDIR");
    std::string path = (folder.empty() ? std::string("/tmp") : folder) + "/nameshift-names-XXXXXX";
    const int descriptor = ::mkstemp(path.data());
    if (descriptor < 0) {
        refuse(messages, "Cannot make a file for the editor in \"" + path +
                             "\": " + std::strerror(errno) + ". Nothing was renamed.");
        return std::nullopt;
    }
    const bool written =
        ::write(descriptor, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    ::close(descriptor);
    std::optional<std::string> edited;
    if (!written) {
        refuse(messages, "Cannot write the names to \"" + path + "\". Nothing was renamed.");
    } else if (runEditor(path, messages)) {
        std::ifstream in(path, std::ios::binary);
        edited = std::string(std::istreambuf_iterator<char>(in), {});
        if (in.bad()) {
            refuse(messages,
                   "Cannot read the names back from \"" + path + "\". Nothing was renamed.");
            edited.reset();
        }
    }
    ::unlink(path.c_str());
    return edited;
}

}  // namespace nameshift::cli
