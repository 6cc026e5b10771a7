#pragma once

#include <cstdlib>
#include <string>

namespace nameshift::testing {

// Points the user's state folder, where batches keep their journals and history, at `folder`
// for as long as it lives, so that a case sees no other case's batches; then back where it was.
class ScopedStateHome {
public:
    explicit ScopedStateHome(const std::string& folder) {
        const char* saved = std::getenv("XDG_STATE_HOME");
        saved_ = saved != nullptr ? saved : "";
        ::setenv("XDG_STATE_HOME", folder.c_str(), 1);
    }
    ~ScopedStateHome() { ::setenv("XDG_STATE_HOME", saved_.c_str(), 1); }
    ScopedStateHome(const ScopedStateHome&) = delete;
    ScopedStateHome& operator=(const ScopedStateHome&) = delete;

private:
    std::string saved_;
};

}  // namespace nameshift::testing
