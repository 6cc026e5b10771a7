#include "cli/NameWriter.h"

#include <cerrno>

namespace nameshift::cli {
namespace {

constexpr std::size_t kBlockSize = 64 * 1024;

}  // namespace

NameWriter::NameWriter(std::FILE* stream, bool nullSeparated)
    : stream_(stream), nullSeparated_(nullSeparated) {
    buffer_.reserve(kBlockSize + 1024);
}

void NameWriter::writeName(std::string_view name) {
    append(name, nullSeparated_ ? '\0' : '\n');
    if (buffer_.size() >= kBlockSize) {
        flush();
    }
}

void NameWriter::writePair(std::string_view oldName, std::string_view newName) {
    append(oldName, nullSeparated_ ? '\0' : '\t');
    append(newName, nullSeparated_ ? '\0' : '\n');
    if (buffer_.size() >= kBlockSize) {
        flush();
    }
}

platform::Status NameWriter::flush() {
    if (!buffer_.empty() && failure_.ok()) {
        errno = 0;
        if (std::fwrite(buffer_.data(), 1, buffer_.size(), stream_) != buffer_.size() ||
            std::fflush(stream_) != 0) {
            failure_ = platform::Status::fromErrno(errno != 0 ? errno : EIO);
        }
    }
    buffer_.clear();
    return failure_;
}

void NameWriter::append(std::string_view field, char separator) {
    buffer_.append(field);
    buffer_.push_back(separator);
}

}  // namespace nameshift::cli
