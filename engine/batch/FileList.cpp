#include "engine/batch/FileList.h"

#include <algorithm>
#include <numeric>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "engine/batch/InPlaceOrder.h"
#include "engine/naming/NaturalOrder.h"
#include "engine/naming/TextCase.h"
#include "engine/records/RestoreFile.h"
#include "settings/RenameSettings.h"

namespace nameshift::engine {
namespace {

// A name without a dot is its own extension; in a subfolder, the extension lies in the last part.
std::size_t extensionStart(std::string_view name) {
    const auto dot = name.rfind('.');
    const auto slash = name.rfind('/');
    if (slash != std::string_view::npos && (dot == std::string_view::npos || dot < slash)) {
        return slash + 1;
    }
    return dot == std::string_view::npos ? 0 : dot;
}

bool endsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

// The first bytes of a text as a number that orders as the bytes do; shorter texts are padded
// with zero bytes, so equal numbers still need the texts compared.
std::uint64_t leadingBytes(std::string_view text, std::size_t count, std::size_t from = 0) {
    text.remove_prefix(std::min(from, text.size()));
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        value = (value << 8) | (i < text.size() ? static_cast<unsigned char>(text[i]) : 0u);
    }
    return value;
}

// Orders the listing by one key; equal keys fall back on the name's bytes so that the order never
// depends on how the system happened to list the directory. `keyOf` gives each entry two numbers
// that order as the key and then the name do wherever they differ, and `compareKeys` settles
// equal numbers. The numbers are sorted side by side with the entries' places, so that most
// comparisons never leave that array, and then each entry moves once.
template <typename KeyOf, typename Compare>
void sortBy(std::vector<ListedFile>& listing, KeyOf keyOf, Compare compareKeys) {
    struct Keyed {
        std::uint64_t key;
        // The name's next bytes: many names share their first few, and comparing the names
        // themselves means reaching into memory far from this array.
        std::uint64_t nameBytes;
        std::size_t index;
    };
    std::vector<Keyed> keyed(listing.size());
    for (std::size_t i = 0; i < listing.size(); ++i) {
        const auto [key, nameBytes] = keyOf(i);
        keyed[i] = {key, nameBytes, i};
    }
    std::sort(keyed.begin(), keyed.end(), [&](const Keyed& a, const Keyed& b) {
        if (a.key != b.key) {
            return a.key < b.key;
        }
        if (a.nameBytes != b.nameBytes) {
            return a.nameBytes < b.nameBytes;
        }
        const int byKey = compareKeys(a.index, b.index);
        return byKey != 0 ? byKey < 0 : listing[a.index].name < listing[b.index].name;
    });
    std::vector<std::size_t> order(listing.size());
    for (std::size_t i = 0; i < keyed.size(); ++i) {
        order[i] = keyed[i].index;
    }
    std::vector<Keyed>().swap(keyed);
    reorderInPlace(listing, [&order](std::size_t at) { return order[at]; });
}

// The place of each file's extension among the listing's distinct extensions in byte order.
std::vector<std::uint32_t> extensionRanks(const std::vector<ListedFile>& listing) {
    std::unordered_map<std::string_view, std::uint32_t> rankOf;
    for (const ListedFile& file : listing) {
        rankOf.emplace(file.extension(), 0);
    }
    std::vector<std::string_view> distinct;
    distinct.reserve(rankOf.size());
    for (const auto& [extension, rank] : rankOf) {
        distinct.push_back(extension);
    }
    std::sort(distinct.begin(), distinct.end());
    for (std::size_t i = 0; i < distinct.size(); ++i) {
        rankOf[distinct[i]] = static_cast<std::uint32_t>(i);
    }
    std::vector<std::uint32_t> ranks;
    ranks.reserve(listing.size());
    for (const ListedFile& file : listing) {
        ranks.push_back(rankOf.at(file.extension()));
    }
    return ranks;
}

template <typename T>
int compareValues(const T& a, const T& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

}  // namespace

platform::Message noFileAttributeMessage() {
    return {NS_MESSAGE("Message", "You have to have at least ONE file attribute set!"),
            NS_MESSAGE("Message", "File Attribute Error"), platform::Icon::Exclamation};
}

FileList::FileList(platform::FileSystem& fileSystem) : fileSystem_(fileSystem) {}

ListingStatus FileList::fill(const std::string& directory) {
    using Problem = ListingStatus::Problem;
    entryNames_.reset();
    if (attributeMask_ == 0) {
        clear();
        return {Problem::NoAttributes, platform::Status(), std::nullopt};
    }
    NameFilter filter(includeFilter_, excludeFilter_);
    if (std::optional<platform::Message> refusal = filter.refusal()) {
        clear();
        return {Problem::InvalidFilter, platform::Status(), std::move(refusal)};
    }
    NameFilter* const filtering = filter.active() ? &filter : nullptr;
    const platform::Result<platform::Directory> opened = fileSystem_.openDirectory(directory);
    if (!opened.ok()) {
        return {Problem::Unreadable, opened.status(), std::nullopt};
    }
    auto entries = needsFileDetails() ? fileSystem_.listDirectory(*opened)
                                      : fileSystem_.listDirectoryKinds(*opened);
    if (!entries.ok()) {
        return {Problem::Unreadable, entries.status(), std::nullopt};
    }
    const platform::Result<platform::FileIdentity> identity = fileSystem_.identifyIn(*opened, ".");
    clear();
    if (identity.ok()) {
        listedDirectory_ = *identity;
    }
    listing_.reserve(entries->size());
    // Masks come from every file, listed or not; most files share a few extensions, so each
    // distinct one is lower-cased once.
    std::unordered_set<std::string> extensions;
    std::vector<Subfolder> pending;
    for (platform::DirEntry& entry : entries.value()) {
        restoreFileTraces_.note(entry.name, entry.isDirectory);
        if (entry.isDirectory) {
            takeFolder(entry, entry.name, subfolderDepth_, pending, filtering);
            subdirectories_.push_back(std::move(entry.name));
            continue;
        }
        const std::size_t extensionAt = extensionStart(entry.name);
        const std::string_view extension = std::string_view(entry.name).substr(extensionAt);
        if (!extensions.contains(std::string(extension))) {
            extensions.emplace(extension);
        }
        if (lists(entry.name, entry.attributes, filtering)) {
            listing_.push_back(ListedFile{names_->add(entry.name), entry.attributes,
                                          static_cast<std::uint32_t>(extensionAt), entry.size,
                                          entry.writeTimeNs, entry.inode, entry.birthTimeNs});
        } else {
            unlistedFiles_.push_back(std::move(entry.name));
            continue;
        }
        // Each name is freed as it moves into the arena, so that the listing is never held twice.
        std::string().swap(entry.name);
    }
    std::vector<platform::DirEntry>().swap(entries.value());
    if (!pending.empty()) {
        listSubfolders(*opened, std::move(pending), extensions, filtering);
    }
    if (filter.stopped()) {
        ListingStatus refused{Problem::FilterTooSlow, platform::Status(), filter.stopped()};
        clear();
        return refused;
    }
    buildMasks(extensions);
    if (listing_.size() > 1) {
        sortListing();
    }
    showAllRows();
    return {};
}

ListingStatus FileList::applyFileMask(const std::string& directory) {
    const int position = maskPosition_;
    ListingStatus listed = fill(directory);
    if (!listed) {
        return listed;
    }
    maskPosition_ = position;
    if (position <= 0 || static_cast<std::size_t>(position) >= masks_.size()) {
        return listed;
    }
    const std::string tail = text::toLower(std::string_view(masks_[position]).substr(1));
    std::vector<std::uint32_t> kept;
    kept.reserve(rows_.size());
    for (const std::uint32_t index : rows_) {
        if (endsWith(text::toLower(listing_[index].name), tail)) {
            kept.push_back(index);
        }
    }
    rows_ = std::move(kept);
    ticks_.assign(rows_.size(), 0);
    tickedCount_ = 0;
    return listed;
}

void FileList::clear() {
    // The memory goes back too: after a batch of a million files it is much of the program's.
    // A plan made from the old listing keeps its names alive as long as it needs them.
    entryNames_.reset();
    std::vector<ListedFile>().swap(listing_);
    names_ = std::make_shared<NameArena>();
    std::vector<std::uint32_t>().swap(rows_);
    std::vector<char>().swap(ticks_);
    tickedCount_ = 0;
    listedDirectory_.reset();
    restoreFileTraces_ = {};
    subdirectories_.clear();
    unlistedFiles_.clear();
    entriesBeneath_.clear();
    folderStarts_.clear();
    spansFolders_ = false;
}

bool FileList::lists(std::string_view path, std::uint32_t attributes, NameFilter* filter) const {
    return (attributes & attributeMask_) != 0 && (filter == nullptr || filter->lists(path));
}

void FileList::listSubfolders(const platform::Directory& folder, std::vector<Subfolder> pending,
                              std::unordered_set<std::string>& extensions, NameFilter* filter) {
    const platform::Result<platform::FileIdentity> root = fileSystem_.identifyIn(folder, ".");
    if (!root.ok()) {
        return;
    }
    // A folder mounted again beneath itself (a bind mount) would be listed without end.
    std::unordered_set<std::uint64_t> seen{root->inode};
    folderStarts_.push_back(0);
    // Taken from the back, in reverse order of their paths: the folders are listed in path order,
    // each followed by its own subfolders.
    const auto byPathDescending = [](const Subfolder& a, const Subfolder& b) {
        return a.path > b.path;
    };
    std::sort(pending.begin(), pending.end(), byPathDescending);
    // A search that took too long refuses the whole listing: the rest need not be read.
    while (!pending.empty() && (filter == nullptr || !filter->stopped())) {
        const Subfolder subfolder = std::move(pending.back());
        pending.pop_back();
        const platform::Result<platform::Directory> opened =
            fileSystem_.openDirectoryIn(folder, subfolder.path);
        const platform::Result<platform::FileIdentity> identity =
            opened.ok() ? fileSystem_.identifyIn(*opened, ".") : opened.status();
        // Unreadable folders and other filesystems are left out, as links to folders are.
        if (!identity.ok() || identity->device != root->device ||
            !seen.insert(identity->inode).second) {
            continue;
        }
        const std::size_t firstNew = pending.size();
        listSubfolder(*opened, subfolder, pending, extensions, filter);
        std::sort(pending.begin() + static_cast<std::ptrdiff_t>(firstNew), pending.end(),
                  byPathDescending);
    }
}

void FileList::listSubfolder(const platform::Directory& opened, const Subfolder& subfolder,
                             std::vector<Subfolder>& pending,
                             std::unordered_set<std::string>& extensions, NameFilter* filter) {
    auto entries = needsFileDetails() ? fileSystem_.listDirectory(opened)
                                      : fileSystem_.listDirectoryKinds(opened);
    if (!entries.ok()) {
        return;
    }
    if (folderStarts_.back() != listing_.size()) {
        folderStarts_.push_back(listing_.size());
    }
    const std::string prefix = subfolder.path + "/";
    std::string path;
    for (const platform::DirEntry& entry : *entries) {
        path.assign(prefix).append(entry.name);
        if (entry.isDirectory) {
            if (takeFolder(entry, path, subfolder.levelsBelow, pending, filter)) {
                spansFolders_ = true;
            } else {
                entriesBeneath_.push_back(path);
            }
            continue;
        }
        const std::size_t extensionAt = extensionStart(path);
        const std::string_view extension = std::string_view(path).substr(extensionAt);
        if (!extensions.contains(std::string(extension))) {
            extensions.emplace(extension);
        }
        if (!lists(path, entry.attributes, filter)) {
            entriesBeneath_.push_back(path);
            continue;
        }
        listing_.push_back(ListedFile{names_->add(path), entry.attributes,
                                      static_cast<std::uint32_t>(extensionAt), entry.size,
                                      entry.writeTimeNs, entry.inode, entry.birthTimeNs});
        spansFolders_ = true;
    }
}

bool FileList::takeFolder(const platform::DirEntry& entry, const std::string& path, int levelsBelow,
                          std::vector<Subfolder>& pending, NameFilter* filter) {
    // Links to folders are neither entered nor listed.
    if (entry.isLink) {
        return false;
    }
    if (levelsBelow != 0 && (filter == nullptr || !filter->excludesFolder(path))) {
        pending.push_back({path, levelsBelow - 1});
    }
    if ((attributeMask_ & platform::attribute::kFolder) == 0 ||
        (filter != nullptr && !filter->lists(path))) {
        return false;
    }
    // Its extension is found as a file's is, so that the rules treat "Trip.2024" alike whichever
    // it is; its name adds no mask, as the masks are the files'.
    listing_.push_back(ListedFile{names_->add(path),
                                  entry.attributes | platform::attribute::kFolder,
                                  static_cast<std::uint32_t>(extensionStart(path)), entry.size,
                                  entry.writeTimeNs, entry.inode, entry.birthTimeNs});
    return true;
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

std::vector<std::string_view> FileList::tickedNames() const {
    std::vector<std::string_view> names;
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        if (isTicked(row)) {
            names.push_back(this->row(row).name);
        }
    }
    return names;
}

void FileList::setSelectAllToggle(bool down) {
    selectAllToggle_ = down;
    selectAll(down);
    if (const std::optional<std::size_t> restore = restoreFileRow(); down && restore) {
        setTicked(*restore, false);
    }
}

bool FileList::isRestoreFile(std::size_t row) const {
    return this->row(row).name == kRestoreFileName;
}

std::optional<std::size_t> FileList::restoreFileRow() const {
    // A folder holds one file of the name, and a listing without one is not searched at all.
    if (!restoreFileTraces_.holdsRestoreFile) {
        return std::nullopt;
    }
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        if (isRestoreFile(row)) {
            return row;
        }
    }
    return std::nullopt;
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
    if (!sortKey_) {
        return;
    }
    if (folderStarts_.size() < 2) {
        sortFiles(listing_);
        return;
    }
    // Folder by folder: the list keeps each folder's files together.
    std::vector<ListedFile> files;
    for (std::size_t folder = 0; folder < folderStarts_.size(); ++folder) {
        const auto first = listing_.begin() + static_cast<std::ptrdiff_t>(folderStarts_[folder]);
        const auto last =
            folder + 1 < folderStarts_.size()
                ? listing_.begin() + static_cast<std::ptrdiff_t>(folderStarts_[folder + 1])
                : listing_.end();
        files.assign(first, last);
        sortFiles(files);
        std::copy(files.begin(), files.end(), first);
    }
}

void FileList::sortFiles(std::vector<ListedFile>& files) const {
    using settings::SortKey;
    switch (*sortKey_) {
        case SortKey::Date:
            sortBy(
                files,
                [&files](std::size_t i) {
                    // Flipping the sign bit orders signed times as unsigned numbers.
                    return std::pair(
                        static_cast<std::uint64_t>(files[i].writeTimeNs) ^ (1ULL << 63),
                        leadingBytes(files[i].name, 8));
                },
                [](std::size_t, std::size_t) { return 0; });
            break;
        case SortKey::Extension: {
            // The extension's place and the name's first five bytes decide most comparisons.
            const std::vector<std::uint32_t> ranks = extensionRanks(files);
            sortBy(
                files,
                [&](std::size_t i) {
                    return std::pair(
                        (std::uint64_t{ranks[i]} << 40) | leadingBytes(files[i].name, 5),
                        leadingBytes(files[i].name, 8, 5));
                },
                [&ranks](std::size_t a, std::size_t b) {
                    return compareValues(ranks[a], ranks[b]);
                });
            break;
        }
        case SortKey::Name: {
            // Every folded name (or natural key) in one block: a string each would cost a large
            // folder a million allocations, more than the sort itself.
            std::string foldedBytes;
            std::vector<std::uint32_t> foldedAt;
            foldedAt.reserve(files.size() + 1);
            const std::optional<NaturalOrder> natural =
                naturalOrder_ ? std::optional<NaturalOrder>(std::in_place) : std::nullopt;
            for (const ListedFile& file : files) {
                foldedAt.push_back(static_cast<std::uint32_t>(foldedBytes.size()));
                if (natural) {
                    natural->appendKey(foldedBytes, file.name);
                } else {
                    text::appendFoldedCase(foldedBytes, file.name);
                }
            }
            foldedAt.push_back(static_cast<std::uint32_t>(foldedBytes.size()));
            const auto folded = [&](std::size_t i) {
                return std::string_view(foldedBytes)
                    .substr(foldedAt[i], foldedAt[i + 1] - foldedAt[i]);
            };
            sortBy(
                files,
                [&folded](std::size_t i) {
                    return std::pair(leadingBytes(folded(i), 8), leadingBytes(folded(i), 8, 8));
                },
                [&folded](std::size_t a, std::size_t b) { return folded(a).compare(folded(b)); });
            break;
        }
        case SortKey::Size:
            sortBy(
                files,
                [&files](std::size_t i) {
                    return std::pair(files[i].size, leadingBytes(files[i].name, 8));
                },
                [](std::size_t, std::size_t) { return 0; });
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
    std::iota(rows_.begin(), rows_.end(), std::uint32_t{0});
    ticks_.assign(rows_.size(), 0);
    tickedCount_ = 0;
    selectAllToggle_ = false;
}

std::string_view FileList::EntryName::operator()(std::size_t position) const {
    if (position < list->listing_.size()) {
        return list->listing_[position].name;
    }
    position -= list->listing_.size();
    if (position < list->subdirectories_.size()) {
        return list->subdirectories_[position];
    }
    position -= list->subdirectories_.size();
    if (position < list->unlistedFiles_.size()) {
        return list->unlistedFiles_[position];
    }
    return list->entriesBeneath_[position - list->unlistedFiles_.size()];
}

std::optional<std::size_t> FileList::holderOf(std::string_view name) const {
    const std::size_t count =
        listing_.size() + subdirectories_.size() + unlistedFiles_.size() + entriesBeneath_.size();
    if (!entryNames_) {
        entryNames_.emplace(count, EntryName{this});
        for (std::size_t i = 0; i < count; ++i) {
            entryNames_->insert(i);
        }
    }
    const std::size_t found = entryNames_->find(name);
    if (found == entryNames_->kNone) {
        return std::nullopt;
    }
    return found < listing_.size() ? found : kFolder;
}

bool FileList::heldByOther(std::string_view name, const std::vector<char>& moved) const {
    const std::optional<std::size_t> holder = holderOf(name);
    return holder && (*holder == kFolder || moved[*holder] == 0);
}

}  // namespace nameshift::engine
