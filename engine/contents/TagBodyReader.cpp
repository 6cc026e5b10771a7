#include "engine/contents/TagBodyReader.h"

#include <algorithm>

#include <taglib/id3v2header.h>
#include <taglib/tiostream.h>

namespace nameshift::engine {

TagLib::ByteVector TagBodyReader::read(unsigned offset, unsigned length) {
    if (offset >= size_) {
        return {};
    }
    const unsigned end = offset + std::min(length, size_ - offset);
    const unsigned windowEnd = start_ + bytes_.size();
    if (offset >= start_ && end <= windowEnd) {
        return bytes_.mid(offset - start_, end - offset);
    }
    if (file_ == nullptr) {
        return {};
    }
    TagLib::ByteVector bytes;
    unsigned from = offset;
    if (offset >= start_ && offset < windowEnd) {
        bytes = bytes_.mid(offset - start_);
        from = windowEnd;
    }
    const unsigned ahead = std::min(size_, std::max(end, from + std::min(kWindow, size_ - from)));
    bytes_ = fetch(from, ahead - from);
    start_ = from;
    bytes.append(bytes_.mid(0, end - from));
    return bytes;
}

std::string_view TagBodyReader::view(unsigned offset, unsigned length) {
    if (offset < size_) {
        const unsigned end = offset + std::min(length, size_ - offset);
        if (offset >= start_ && end <= start_ + bytes_.size()) {
            return {bytes_.data() + (offset - start_), end - offset};
        }
    }
    held_ = read(offset, length);
    return {held_.data(), held_.size()};
}

TagLib::ByteVector TagBodyReader::fetch(unsigned offset, unsigned length) {
    const auto granted = static_cast<unsigned>(std::min<std::size_t>(length, *budget_));
    *budget_ -= granted;
    if (granted == 0) {
        return {};
    }
    file_->seek(static_cast<long>(TagLib::ID3v2::Header::size()) + static_cast<long>(offset));
    return file_->readBlock(granted);
}

}  // namespace nameshift::engine
