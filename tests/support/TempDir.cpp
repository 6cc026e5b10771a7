#include "TempDir.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace nameshift::testing {
namespace fs = std::filesystem;

TempDir::TempDir() {
    std::string pattern = (fs::temp_directory_path() / "nameshift-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a temporary directory");
    }
    path_ = pattern;
    previousDirectory_ = fs::current_path().string();
}

TempDir::~TempDir() {
    std::error_code ignored;
    fs::current_path(previousDirectory_, ignored);
    // Read-only entries made by a test must not keep the directory from going.
    for (auto it = fs::recursive_directory_iterator(path_, ignored);
         it != fs::recursive_directory_iterator(); it.increment(ignored)) {
        if (!it->is_symlink()) {
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        }
    }
    fs::remove_all(path_, ignored);
}

void TempDir::write(std::string_view relative, std::string_view contents) const {
    const fs::path target = file(relative);
    fs::create_directories(target.parent_path());
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + target.string());
    }
}

void TempDir::makeDirectory(std::string_view relative) const {
    fs::create_directories(file(relative));
}

std::string TempDir::read(std::string_view relative) const {
    std::ifstream in(file(relative), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool TempDir::exists(std::string_view relative) const {
    std::error_code ignored;
    return fs::exists(fs::symlink_status(file(relative), ignored));
}

std::vector<std::string> TempDir::names(std::string_view relative) const {
    std::vector<std::string> result;
    for (const auto& entry : fs::directory_iterator(relative.empty() ? path_ : file(relative))) {
        result.push_back(entry.path().filename().string());
    }
    std::sort(result.begin(), result.end());
    return result;
}

}  // namespace nameshift::testing
