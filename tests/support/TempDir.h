#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace nameshift::testing {

// A fresh directory for one test, removed with everything in it afterwards. It also puts the
// process's current directory back as it found it, for the tests that change it.
class TempDir {
public:
    TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir();

    const std::string& path() const { return path_; }
    std::string file(std::string_view relative) const {
        return path_ + "/" + std::string(relative);
    }

    // Creates a file (and the directories above it) holding `contents`.
    void write(std::string_view relative, std::string_view contents = {}) const;
    void makeDirectory(std::string_view relative) const;
    std::string read(std::string_view relative) const;
    bool exists(std::string_view relative) const;
    // The names in the directory, sorted by bytes.
    std::vector<std::string> names(std::string_view relative = {}) const;

private:
    std::string path_;
    std::string previousDirectory_;
};

}  // namespace nameshift::testing
