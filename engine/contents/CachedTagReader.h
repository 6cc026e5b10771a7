#pragma once

#include <cstddef>
#include <ctime>
#include <memory>
#include <optional>
#include <string>

#include "engine/contents/TagReader.h"

namespace nameshift::engine {

class KeptTagValues;

// Keeps what another reader found in each file, so that naming the same files again, after a
// keystroke, for the preview or for apply, opens none of them. A file is known by what changes
// when its contents do (platform::FileStamp): one changed on disk, or another put in its place,
// is read again, and whatever is no regular file is never kept. The readers clone() makes for
// other threads share what is kept. It keeps the `keptFiles` files asked for last and as many
// before them: a file asked for again stays, one that is not goes once that many more came.
class CachedTagReader final : public TagReader {
public:
    static constexpr std::size_t kKeptFiles = std::size_t{1} << 15;

    explicit CachedTagReader(std::unique_ptr<TagReader> files, std::size_t keptFiles = kKeptFiles);

    TagTexts read(const std::string& path) override;
    FileTimes times(const std::string& path) override;
    std::optional<std::tm> taken(const std::string& path) override;
    std::optional<std::string> fact(const std::string& path, MediaFact which) override;
    // None when the reader it wraps has none.
    std::unique_ptr<TagReader> clone() const override;

    ~CachedTagReader() override;

private:
    CachedTagReader(std::unique_ptr<TagReader> files, std::shared_ptr<KeptTagValues> kept);

    std::unique_ptr<TagReader> files_;
    std::shared_ptr<KeptTagValues> kept_;
};

}  // namespace nameshift::engine
