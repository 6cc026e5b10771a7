#include "TestProcess.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace nameshift::testing {

TestProcess::TestProcess() {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::setenv("LANG", "C.UTF-8", 0);
    std::string stateHome = "/tmp/nameshift-state-XXXXXX";
    if (::mkdtemp(stateHome.data()) != nullptr) {
        stateHome_ = stateHome;
        ::setenv("XDG_STATE_HOME", stateHome_.c_str(), 1);
    }
}

TestProcess::~TestProcess() {
    if (!stateHome_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(stateHome_, ignored);
    }
}

}  // namespace nameshift::testing
