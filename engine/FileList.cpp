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
// depends on how the system happened to list the directory. Indexes are sorted rather than the
// entries themselves, so that each entry moves once, not at every swap.
template <typename Compare>
void sortBy(std::vector<ListedFile>& listing, Compare compareKeys) {
    std::vector<std::size_t> order(listing.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        const int byKey = compareKeys(a, b);
        return byKey != 0 ? byKey < 0 : listing[a].name < listing[b].name;
    });
    // In place, cycle by cycle, so that a large listing is never held twice.
    std::vector<char> placed(listing.size(), 0);
    for (std::size_t start = 0; start < listing.size(); ++start) {
        if (placed[start] != 0) {
            continue;
        }
        ListedFile first = std::move(listing[start]);
        std::size_t at = start;
        while (order[at] != start) {
            listing[at] = std::move(listing[order[at]]);
            placed[at] = 1;
            at = order[at];
        }
        listing[at] = std::move(first);
        placed[at] = 1;
    }
}

template <typename T>
int compareValues(const T& a, const T& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

}  // namespace

FileList::FileList(platform::FileSystem& fileSystem, platform::MessageBox& messages)
    : fileSystem_(fileSystem), messages_(messages) {}

bool FileList::fill(const std::string& directory) {
    if (attributeMask_ == 0) {
        clear();
        messages_.show(NS_MESSAGE("Message", "You have to have at least ONE file attribute set!"),
                       NS_MESSAGE("Message", "File Attribute Error"), platform::Icon::Exclamation);
        return false;
    }
    auto entries = needsFileDetails() ? fileSystem_.listDirectory(directory)
                                      : fileSystem_.listDirectoryKinds(directory);
    if (!entries.ok()) {
        return false;
    }
    clear();
    listing_.reserve(entries->size());
    // Masks come from every file, listed or not; most files share a few extensions, so each
    // distinct one is lower-cased once.
    std::unordered_set<std::string> extensions;
    for (platform::DirEntry& entry : entries.value()) {
        if (entry.isDirectory) {
            continue;
        }
        std::string extension = extensionOf(entry.name);
        if (!extensions.contains(extension)) {
            extensions.insert(extension);
        }
        if ((entry.attributes & attributeMask_) != 0) {
            listing_.push_back(ListedFile{std::move(entry.name), entry.attributes,
                                          std::move(extension), entry.size, entry.writeTimeNs,
                                          entry.inode});
        }
    }
    std::vector<platform::DirEntry>().swap(entries.value());
    buildMasks(extensions);
    if (listing_.size() > 1) {
        sortListing();
    }
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
    // The memory goes back too: after a batch of a million files it is much of the program's.
    std::vector<ListedFile>().swap(listing_);
    std::vector<std::size_t>().swap(rows_);
    std::vector<char>().swap(ticks_);
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

bool FileList::needsFileDetails() const {
    using settings::SortKey;
    if (sortKey_ == SortKey::Date || sortKey_ == SortKey::Size) {
        return true;
    }
    // A regular file passes an Archive mask whatever its mode; without Archive in the mask, the
    // Read Only test needs the mode.
    return (attributeMask_ & platform::attribute::kReadOnly) != 0 &&
           (attributeMask_ & platform::attribute::kArchive) == 0;
}

void FileList::sortListing() {
    using settings::SortKey;
    if (!sortKey_) {
        return;
    }
    switch (*sortKey_) {
        case SortKey::Date:
            sortBy(listing_, [this](std::size_t a, std::size_t b) {
                return compareValues(listing_[a].writeTimeNs, listing_[b].writeTimeNs);
            });
            break;
        case SortKey::Extension:
            sortBy(listing_, [this](std::size_t a, std::size_t b) {
                return listing_[a].extension.compare(listing_[b].extension);
            });
            break;
        case SortKey::Name: {
            std::vector<std::string> folded;
            folded.reserve(listing_.size());
            for (const ListedFile& file : listing_) {
                folded.push_back(text::foldCase(file.name));
            }
            sortBy(listing_, [&folded](std::size_t a, std::size_t b) {
                return folded[a].compare(folded[b]);
            });
            break;
        }
        case SortKey::Size:
            sortBy(listing_, [this](std::size_t a, std::size_t b) {
                return compareValues(listing_[a].size, listing_[b].size);
            });
            break;
        default:
            break;
    }
}

void FileList::buildMasks(const std::unordered_set<std::string>& extensions) {
    std::unordered_set<std::string> seen;
    masks_.clear();
    for (const std::string& extension : extensions) {
        if (extension.find('.') == std::string::npos) {
            continue;
        }
        // Appended rather than "*" + ...: GCC 12 at -O3 takes the latter for an overlapping copy.
        std::string mask = "*";
        mask += text::toLower(extension);
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
