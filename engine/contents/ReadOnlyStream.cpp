#include "engine/contents/ReadOnlyStream.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace nameshift::engine {

TagLib::ByteVector ReadOnlyStream::readBlock(unsigned long length) {
    const long aheadEnd = aheadStart_ + static_cast<long>(ahead_.size());
    const bool held = position_ >= aheadStart_ && position_ < aheadEnd &&
                      length <= static_cast<unsigned long>(aheadEnd - position_);
    if (!held) {
        if (length >= window_) {
            return fetch(length);
        }
        aheadStart_ = position_;
        ahead_ = fetch(window_);
        position_ = aheadStart_;
    }
    const TagLib::ByteVector block =
        ahead_.mid(static_cast<unsigned int>(position_ - aheadStart_),
                   static_cast<unsigned int>(std::min(length, kLongestBlock)));
    position_ += static_cast<long>(block.size());
    return block;
}

TagLib::ByteVector ReadOnlyStream::fetch(unsigned long length) {
    if (position_ >= length_ || budget_ == 0) {
        return {};
    }
    const auto available = static_cast<unsigned long>(length_ - position_);
    const auto affordable = static_cast<unsigned long>(
        std::min<std::uint64_t>(budget_, std::numeric_limits<unsigned long>::max()));
    const unsigned long wanted = std::min({length, available, affordable, kLongestBlock});
    TagLib::ByteVector block(static_cast<unsigned int>(wanted), '\0');
    std::size_t done = 0;
    while (done < block.size()) {
        const ssize_t got =
            ::pread(fd_, block.data() + done, block.size() - done,
                    static_cast<off_t>(start_ + position_) + static_cast<off_t>(done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    block.resize(static_cast<unsigned int>(done));
    position_ += static_cast<long>(done);
    bytesRead_ += done;
    budget_ -= done;
    return block;
}

void ReadOnlyStream::seek(long offset, Position from) {
    long base = 0;
    if (from == Current) {
        base = position_;
    } else if (from == End) {
        base = length_;
    }
    position_ = std::max(0L, base + offset);
}

}  // namespace nameshift::engine
