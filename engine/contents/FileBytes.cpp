#include "engine/contents/FileBytes.h"

#include <unistd.h>

#include <cerrno>

namespace nameshift::engine {

std::string FileBytes::read(int fd, long offset, std::size_t size, std::uint64_t& bytesRead) {
    std::string bytes(size, '\0');
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::pread(fd, bytes.data() + done, size - done,
                                    static_cast<off_t>(offset) + static_cast<off_t>(done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    bytes.resize(done);
    bytesRead += done;
    return bytes;
}

bool FileBytes::isPlainUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead == 0) {
            return false;
        }
        if (lead < 0x80) {
            ++i;
            continue;
        }
        std::size_t more = 0;
        char32_t code = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            more = 1;
            code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            more = 2;
            code = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            more = 3;
            code = lead & 0x07;
        } else {
            return false;
        }
        if (text.size() - i <= more) {
            return false;
        }
        for (std::size_t k = 1; k <= more; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            code = (code << 6) | (next & 0x3F);
        }
        const bool overlong = (more == 2 && code < 0x800) || (more == 3 && code < 0x10000);
        if (overlong || (code >= 0xD800 && code <= 0xDFFF) || code == 0xFFFE || code == 0xFFFF ||
            code > 0x10FFFF) {
            return false;
        }
        i += more + 1;
    }
    return true;
}

}  // namespace nameshift::engine
