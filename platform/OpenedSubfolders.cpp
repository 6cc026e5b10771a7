#include "platform/OpenedSubfolders.h"

#include <algorithm>
#include <utility>

namespace nameshift::platform {

OpenedSubfolders::Handle OpenedSubfolders::find(std::string_view path) {
    const std::lock_guard lock(mutex_);
    for (std::size_t i = kept_.size(); i-- > 0;) {
        if (kept_[i].path == path) {
            Handle found = kept_[i].folder;
            std::rotate(kept_.begin() + static_cast<std::ptrdiff_t>(i),
                        kept_.begin() + static_cast<std::ptrdiff_t>(i) + 1, kept_.end());
            return found;
        }
    }
    return nullptr;
}

void OpenedSubfolders::keep(std::string_view path, Handle folder) {
    const std::lock_guard lock(mutex_);
    if (kept_.size() == kKept) {
        kept_.erase(kept_.begin());
    }
    kept_.push_back({std::string(path), std::move(folder)});
}

void OpenedSubfolders::forget(std::string_view path) {
    const std::lock_guard lock(mutex_);
    std::erase_if(kept_, [path](const Kept& kept) {
        return kept.path.starts_with(path) &&
               (kept.path.size() == path.size() || kept.path[path.size()] == '/');
    });
}

void OpenedSubfolders::clear() {
    const std::lock_guard lock(mutex_);
    kept_.clear();
}

}  // namespace nameshift::platform
