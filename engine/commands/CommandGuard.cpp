#include "engine/commands/CommandGuard.h"

#include <exception>
#include <new>
#include <string>

namespace nameshift::engine {
namespace {

// Files renamed before the command stopped are not put back: the message says so, and the file
// list the caller reads anew shows them.
constexpr const char* kWhatIsLeft =
    "\nFiles renamed before it stopped keep their new names; no other file was renamed.";

void reportStop(platform::MessageBox& messages, const std::string& reason) {
    messages.show("The command was stopped: " + reason + kWhatIsLeft, platform::kProgramTitle,
                  platform::Icon::Stop);
}

}  // namespace

bool runGuarded(platform::MessageBox& messages, const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const std::bad_alloc&) {
        reportStop(messages, "there is not enough memory.");
    } catch (const std::exception& error) {
        reportStop(messages, std::string("an unexpected error occurred (") + error.what() + ").");
    } catch (...) {
        reportStop(messages, "an unexpected error occurred.");
    }
    return false;
}

}  // namespace nameshift::engine
