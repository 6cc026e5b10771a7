#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

#include "engine/batch/ListedFile.h"
#include "engine/batch/NameFilter.h"
#include "engine/naming/NameArena.h"
#include "engine/naming/NameIndex.h"
#include "engine/records/RestoreFileTraces.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "settings/RenameSettings.h"

namespace nameshift::engine {

// The files of one directory as the user sees and ticks them: the listing filtered by attribute
// bits, sorted by the chosen key, the masks found in the directory, the rows that pass the chosen
// mask, their ticks and the status line. The dialog shows it; it holds no widget.
// How a listing went: no attribute was chosen, so that no file could be listed, or the
// directory could not be read, or a filter cannot be used or took too long, or it was listed.
struct ListingStatus {
    enum class Problem { None, NoAttributes, Unreadable, InvalidFilter, FilterTooSlow };
    Problem problem = Problem::None;
    platform::Status status;                   // why the directory could not be read
    std::optional<platform::Message> message;  // why a filter refused the listing

    bool ok() const { return problem == Problem::None; }
    explicit operator bool() const { return ok(); }
};

// "You have to have at least ONE file attribute set!"
platform::Message noFileAttributeMessage();

class FileList {
public:
    explicit FileList(platform::FileSystem& fileSystem);
    // The index of names points into the list.
    FileList(const FileList&) = delete;
    FileList& operator=(const FileList&) = delete;

    void setAttributeMask(std::uint32_t mask) { attributeMask_ = mask; }
    std::uint32_t attributeMask() const { return attributeMask_; }
    // No key keeps the system's order.
    void setSortKey(std::optional<settings::SortKey> key) { sortKey_ = key; }
    std::optional<settings::SortKey> sortKey() const { return sortKey_; }
    // Whether the Name sort takes runs of digits by their value; off, it compares folded bytes.
    void setNaturalOrder(bool natural) { naturalOrder_ = natural; }
    // How many levels of subfolders the listing takes in besides the folder itself: 0 for none,
    // kAllLevels for every one. Their files are named by their path from the folder ("a/b/name")
    // and listed folder by folder. Links to folders are not followed, nor other filesystems
    // entered: a batch renames only beneath the folder, on its own filesystem.
    void setSubfolderDepth(int depth) { subfolderDepth_ = depth; }
    int subfolderDepth() const { return subfolderDepth_; }
    static constexpr int kAllLevels = -1;
    // Regular expressions a listed file must hold and must not hold, searched in its name, or in
    // its path from the folder when they hold a "/"; empty for none. The files they leave out are
    // unlisted, and a folder every path beneath which the exclude pattern holds is not read.
    void setFilters(std::string include, std::string exclude) {
        includeFilter_ = std::move(include);
        excludeFilter_ = std::move(exclude);
    }
    // Whether any listed file lies in a subfolder.
    bool spansFolders() const { return spansFolders_; }

    // Reads the directory anew; every listed file becomes a row, none ticked. Shows nothing: the
    // caller tells the user why a listing failed.
    ListingStatus fill(const std::string& directory);
    // Refills, then keeps the rows whose names end with the chosen mask's extension.
    ListingStatus applyFileMask(const std::string& directory);

    // "*.*" first, then "*" and each extension of the directory, lower case, in order.
    const std::vector<std::string>& masks() const { return masks_; }
    int maskPosition() const { return maskPosition_; }
    void setMaskPosition(int position) { maskPosition_ = position; }

    // Empties the listing and the rows, as after a change the list must not show stale names.
    void clear();

    // Which directory the listing was read from: a batch must not rename in another one that
    // took its path since. Nothing while no listing is held.
    const std::optional<platform::FileIdentity>& listedDirectory() const {
        return listedDirectory_;
    }

    // The restore files the last reading met, folders and unlisted files included.
    const RestoreFileTraces& restoreFileTraces() const { return restoreFileTraces_; }
    // The names of the folders the last reading met, in the order read, so that whoever shows
    // them need not read a large folder a second time.
    const std::vector<std::string>& subdirectories() const { return subdirectories_; }
    // The names of the files the last reading left out of the listing for their attributes or by
    // a filter: a
    // batch renames none of them, and no file it renames may take their names.
    const std::vector<std::string>& unlistedFiles() const { return unlistedFiles_; }

    const std::vector<ListedFile>& listing() const { return listing_; }
    // The storage of the listed names, which stays as long as anyone holds it, a later listing
    // notwithstanding.
    std::shared_ptr<const NameArena> names() const { return names_; }
    std::size_t rowCount() const { return rows_.size(); }
    const ListedFile& row(std::size_t row) const { return listing_[rows_[row]]; }
    // Where a row's file stands in listing().
    std::size_t listingIndex(std::size_t row) const { return rows_[row]; }

    bool isTicked(std::size_t row) const { return ticks_[row] != 0; }
    void setTicked(std::size_t row, bool ticked);
    void selectAll(bool ticked);
    std::size_t tickedCount() const { return tickedCount_; }
    // The ticked rows' names in list order, pointing into names().
    std::vector<std::string_view> tickedNames() const;
    // Whether the "Select/Deselect all files" toggle is down. Down, it ticks every row but the
    // restore file's: renamed with the rest, it would no longer be found to undo the last batch.
    bool selectAllToggle() const { return selectAllToggle_; }
    void setSelectAllToggle(bool down);
    // Whether the row is the folder's restore file, and which row is, when one is listed.
    bool isRestoreFile(std::size_t row) const;
    std::optional<std::size_t> restoreFileRow() const;

    std::string statusText() const;

    // The place in listing() of the file named `name`; kFolder for a folder or a file the reading
    // left out of the listing; nothing when the folder holds no such name. Its index is made at
    // the first question after each reading, since every change of the rules asks again.
    std::optional<std::size_t> holderOf(std::string_view name) const;
    // Whether an entry that stays where it is holds `name`: a folder, an unlisted file, or a
    // listed file for which `moved` (per listing index) is 0, since a rename never replaces it.
    bool heldByOther(std::string_view name, const std::vector<char>& moved) const;
    static constexpr std::size_t kFolder = static_cast<std::size_t>(-1);
    // Lets the index of names go until the next question: a batch under way asks none, and for
    // a large folder the index is some ten bytes a file.
    void forgetNameIndex() const { entryNames_.reset(); }

private:
    // The name of the folder's entry at `position`: the listed files first, then the folders,
    // then the unlisted files.
    struct EntryName {
        const FileList* list;
        std::string_view operator()(std::size_t position) const;
    };

    // A subfolder still to be listed: its path from the folder, and how many levels below it
    // are to be listed too.
    struct Subfolder {
        std::string path;
        int levelsBelow = 0;
    };
    // Whether the mask or the sort key needs each file's mode, size or date, which only examining
    // the file gives.
    bool needsFileDetails() const;
    // Whether the file at `path` (from the folder), with these attributes, is listed.
    bool lists(std::string_view path, std::uint32_t attributes, NameFilter* filter) const;
    // Adds the subfolders' entries, folder by folder in the order of their paths.
    void listSubfolders(const platform::Directory& folder, std::vector<Subfolder> pending,
                        std::unordered_set<std::string>& extensions, NameFilter* filter);
    // Adds one subfolder's entries; the folders found in it are added to `pending`.
    void listSubfolder(const platform::Directory& opened, const Subfolder& subfolder,
                       std::vector<Subfolder>& pending, std::unordered_set<std::string>& extensions,
                       NameFilter* filter);
    // A folder met at `path`: queued to be read while `levelsBelow` allows and no filter leaves
    // it out whole, and listed as an entry of its own where the mask and the filters ask;
    // whether it was listed.
    bool takeFolder(const platform::DirEntry& entry, const std::string& path, int levelsBelow,
                    std::vector<Subfolder>& pending, NameFilter* filter);
    void sortListing();
    void sortFiles(std::vector<ListedFile>& files) const;
    void buildMasks(const std::unordered_set<std::string>& extensions);
    void showAllRows();

    platform::FileSystem& fileSystem_;
    std::uint32_t attributeMask_ = 0;
    std::optional<settings::SortKey> sortKey_;
    bool naturalOrder_ = false;
    int subfolderDepth_ = 0;
    std::string includeFilter_;
    std::string excludeFilter_;
    bool spansFolders_ = false;
    int maskPosition_ = 0;
    std::shared_ptr<NameArena> names_ = std::make_shared<NameArena>();
    std::vector<ListedFile> listing_;
    std::vector<std::string> masks_;
    std::optional<platform::FileIdentity> listedDirectory_;
    RestoreFileTraces restoreFileTraces_;
    std::vector<std::string> subdirectories_;
    std::vector<std::string> unlistedFiles_;
    // The folders and unlisted files of the subfolders, by their paths from the folder.
    std::vector<std::string> entriesBeneath_;
    // Where each folder's files start in listing_, in the order the folders were listed.
    std::vector<std::size_t> folderStarts_;
    std::vector<std::uint32_t> rows_;  // indexes into listing_, in list order
    std::vector<char> ticks_;          // one per row
    std::size_t tickedCount_ = 0;
    bool selectAllToggle_ = false;
    mutable std::optional<NameIndex<EntryName>> entryNames_;
};

}  // namespace nameshift::engine
