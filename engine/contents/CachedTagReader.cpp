#include "engine/contents/CachedTagReader.h"

#include <functional>
#include <mutex>
#include <unordered_map>
#include <utility>

#include "platform/FileStamp.h"

namespace nameshift::engine {
namespace {

using platform::FileStamp;

struct StampHash {
    std::size_t operator()(const FileStamp& stamp) const noexcept {
        std::size_t hash = 0;
        for (const auto field :
             {stamp.device, stamp.inode, stamp.size, static_cast<std::uint64_t>(stamp.modifiedNs),
              static_cast<std::uint64_t>(stamp.changedNs)}) {
            hash = (hash ^ std::hash<std::uint64_t>{}(field)) * 1099511628211ULL;
        }
        return hash;
    }
};

// What was read of one file, each part once it was asked for.
struct FileValues {
    std::optional<TagTexts> texts;
    std::optional<FileTimes> times;
    std::optional<std::optional<std::tm>> taken;
    std::optional<std::optional<std::string>> camera;
    std::optional<std::optional<std::string>> pixelSize;
    std::optional<std::optional<std::string>> duration;
};

}  // namespace

// The values of the files read so far, in two generations: a file asked for again moves to the
// latest, and the older one goes once the latest is full.
class KeptTagValues {
public:
    explicit KeptTagValues(std::size_t keptFiles) : keptFiles_(keptFiles) {}

    template <typename Value>
    std::optional<Value> find(const FileStamp& stamp, std::optional<Value> FileValues::*part) {
        const std::lock_guard<std::mutex> lock(mutex_);
        const FileValues* values = entry(stamp, false);
        return values != nullptr ? values->*part : std::nullopt;
    }

    template <typename Value>
    void keep(const FileStamp& stamp, std::optional<Value> FileValues::*part, const Value& value) {
        const std::lock_guard<std::mutex> lock(mutex_);
        entry(stamp, true)->*part = value;
    }

private:
    using Generation = std::unordered_map<FileStamp, FileValues, StampHash>;

    FileValues* entry(const FileStamp& stamp, bool make) {
        if (const auto found = latest_.find(stamp); found != latest_.end()) {
            return &found->second;
        }
        const auto older = previous_.find(stamp);
        if (older == previous_.end() && !make) {
            return nullptr;
        }
        FileValues values;
        if (older != previous_.end()) {
            values = std::move(older->second);
            previous_.erase(older);
        }
        if (latest_.size() >= keptFiles_) {
            previous_ = std::exchange(latest_, {});
        }
        return &latest_.emplace(stamp, std::move(values)).first->second;
    }

    std::size_t keptFiles_;
    std::mutex mutex_;
    Generation latest_;
    Generation previous_;
};

namespace {

// The part of the file's values that `read` reads, kept under the stamp the file had before and
// still has after: one that changed while it was read may hold anything.
template <typename Value, typename Read>
Value cached(KeptTagValues& kept, const std::string& path, std::optional<Value> FileValues::*part,
             Read read) {
    const std::optional<FileStamp> stamp = platform::fileStamp(path);
    if (!stamp) {
        return read();
    }
    if (std::optional<Value> known = kept.find(*stamp, part)) {
        return *std::move(known);
    }
    Value value = read();
    if (platform::fileStamp(path) == stamp) {
        kept.keep(*stamp, part, value);
    }
    return value;
}

}  // namespace

CachedTagReader::CachedTagReader(std::unique_ptr<TagReader> files, std::size_t keptFiles)
    : CachedTagReader(std::move(files), std::make_shared<KeptTagValues>(keptFiles)) {}

CachedTagReader::CachedTagReader(std::unique_ptr<TagReader> files,
                                 std::shared_ptr<KeptTagValues> kept)
    : files_(std::move(files)), kept_(std::move(kept)) {}

CachedTagReader::~CachedTagReader() = default;

TagTexts CachedTagReader::read(const std::string& path) {
    return cached(*kept_, path, &FileValues::texts, [&] { return files_->read(path); });
}

FileTimes CachedTagReader::times(const std::string& path) {
    return cached(*kept_, path, &FileValues::times, [&] { return files_->times(path); });
}

std::optional<std::tm> CachedTagReader::taken(const std::string& path) {
    return cached(*kept_, path, &FileValues::taken, [&] { return files_->taken(path); });
}

std::optional<std::string> CachedTagReader::fact(const std::string& path, MediaFact which) {
    std::optional<std::optional<std::string>> FileValues::*part = &FileValues::camera;
    if (which == MediaFact::PixelSize) {
        part = &FileValues::pixelSize;
    } else if (which == MediaFact::Duration) {
        part = &FileValues::duration;
    }
    return cached(*kept_, path, part, [&] { return files_->fact(path, which); });
}

std::unique_ptr<TagReader> CachedTagReader::clone() const {
    std::unique_ptr<TagReader> files = files_->clone();
    if (!files) {
        return nullptr;
    }
    return std::unique_ptr<TagReader>(new CachedTagReader(std::move(files), kept_));
}

}  // namespace nameshift::engine
