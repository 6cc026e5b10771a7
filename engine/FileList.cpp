#include "engine/FileList.h"

#include <algorithm>
#include <numeric>
#include <string_view>
#include <unordered_set>

#include "engine/TextCase.h"
#include "settings/RenameSettings.h"

namespace nameshift::engine {
namespace {

std::string extensionOf(const std::string& name) {
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(dot);
}

bool endsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

// Orders the listing by one key; equal keys fall back on the name's bytes so that the order never
// depends on how the system happened to list the directory.
template <typename Less>
void sortBy(std::vector<ListedFile>& listing, Less less) {
    std::sort(listing.begin(), listing.end(), [&](const ListedFile& a, const ListedFile& b) {
        if (less(a, b)) {
            return true;
        }
        if (less(b, a)) {
            return false;
        }
        return a.name < b.name;
    });
}

void sortByFoldedName(std::vector<ListedFile>& listing) {
    std::vector<std::string> keys;
    keys.reserve(listing.size());
    for (const ListedFile& file : listing) {
        keys.push_back(text::foldCase(file.name));
    }
    std::vector<std::size_t> order(listing.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const int byKey = keys[a].compare(keys[b]);
        return byKey != 0 ? byKey < 0 : listing[a].name < listing[b].name;
    });
    std::vector<ListedFile> sorted;
    sorted.reserve(listing.size());
    for (const std::size_t index : order) {
        sorted.push_back(std::move(listing[index]));
    }
    listing = std::move(sorted);
}

}  // namespace

FileList::FileList(platform::FileSystem& fileSystem, platform::MessageBox& messages)
    : fileSystem_(fileSystem), messages_(messages) {}

bool FileList::fill(const std::string& directory) {
    if (attributeMask_ == 0) {
        clear();
        messages_.show("You have to have at least ONE file attribute set!", "File Attribute Error",
                       platform::Icon::Exclamation);
        return false;
    }
    auto entries = fileSystem_.listDirectory(directory);
    if (!entries.ok()) {
        return false;
    }
    listing_.clear();
    std::vector<std::string> extensions;
    for (platform::DirEntry& entry : entries.value()) {
        if (entry.isDirectory) {
            continue;
        }
        std::string extension = extensionOf(entry.name);
        if ((entry.attributes & attributeMask_) != 0) {
            listing_.push_back(ListedFile{std::move(entry.name), entry.attributes, extension,
                                          entry.size, entry.writeTimeNs});
        }
        extensions.push_back(std::move(extension));
    }
    if (listing_.size() > 1) {
        sortListing();
    }
    buildMasks(extensions);
    showAllRows();
    return true;
}

bool FileList::applyFileMask(const std::string& directory) {
    const int position = maskPosition_;
    if (!fill(directory)) {
        return false;
    }
    maskPosition_ = position;
    if (position <= 0 || static_cast<std::size_t>(position) >= masks_.size()) {
        return true;
    }
    const std::string tail = text::toLower(std::string_view(masks_[position]).substr(1));
    std::vector<std::size_t> kept;
    kept.reserve(rows_.size());
    for (const std::size_t index : rows_) {
        if (endsWith(text::toLower(listing_[index].name), tail)) {
            kept.push_back(index);
        }
    }
    rows_ = std::move(kept);
    ticks_.assign(rows_.size(), 0);
    tickedCount_ = 0;
    return true;
}

void FileList::clear() {
    listing_.clear();
    rows_.clear();
    ticks_.clear();
    tickedCount_ = 0;
}

void FileList::setTicked(std::size_t row, bool ticked) {
    if (isTicked(row) == ticked) {
        return;
    }
    ticks_[row] = ticked ? 1 : 0;
    tickedCount_ = ticked ? tickedCount_ + 1 : tickedCount_ - 1;
}

void FileList::selectAll(bool ticked) {
    std::fill(ticks_.begin(), ticks_.end(), ticked ? 1 : 0);
    tickedCount_ = ticked ? ticks_.size() : 0;
}

void FileList::setSelectAllToggle(bool down) {
    selectAllToggle_ = down;
    selectAll(down);
}

std::string FileList::statusText() const {
    return std::to_string(rows_.size()) + " file(s) total - " + std::to_string(tickedCount_) +
           " selected";
}

void FileList::sortListing() {
    using settings::SortKey;
    switch (static_cast<SortKey>(sortIndex_)) {
        case SortKey::Date:
            sortBy(listing_, [](const ListedFile& a, const ListedFile& b) {
                return a.writeTimeNs < b.writeTimeNs;
            });
            break;
        case SortKey::Extension:
            sortBy(listing_, [](const ListedFile& a, const ListedFile& b) {
                return a.extension < b.extension;
            });
            break;
        case SortKey::Name:
            sortByFoldedName(listing_);
            break;
        case SortKey::Size:
            sortBy(listing_,
                   [](const ListedFile& a, const ListedFile& b) { return a.size < b.size; });
            break;
        default:
            break;
    }
}

void FileList::buildMasks(const std::vector<std::string>& extensions) {
    std::unordered_set<std::string> seen;
    masks_.clear();
    for (const std::string& extension : extensions) {
        if (extension.find('.') == std::string::npos) {
            continue;
        }
        std::string mask = "*" + text::toLower(extension);
        if (seen.insert(mask).second) {
            masks_.push_back(std::move(mask));
        }
    }
    std::sort(masks_.begin(), masks_.end());
    masks_.insert(masks_.begin(), "*.*");
}

void FileList::showAllRows() {
    rows_.resize(listing_.size());
    std::iota(rows_.begin(), rows_.end(), std::size_t{0});
    ticks_.assign(rows_.size(), 0);
    tickedCount_ = 0;
    selectAllToggle_ = false;
}

}  // namespace nameshift::engine
