#pragma once

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace nameshift::engine {

// The fields of the program's own records (the journal, the history): names may hold any byte
// but "/" and NUL, line ends included, so every field carries its length: "5:hello,".

// The longest length or number a field holds: 20 digits.
inline constexpr std::size_t kNumberRoom = 20;

inline void putDecimal(std::string& out, std::uint64_t value) {
    char digits[kNumberRoom];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

inline void putField(std::string& out, std::string_view value) {
    putDecimal(out, value.size());
    out += ':';
    out += value;
    out += ',';
}

inline void putNumber(std::string& out, std::uint64_t value) {
    char digits[kNumberRoom];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    putField(out, std::string_view(digits, static_cast<std::size_t>(end - digits)));
}

// Reads fields one after the other; nothing for one that is not whole and in its place.
class FieldReader {
public:
    explicit FieldReader(std::string_view text) : text_(text) {}

    std::optional<std::string_view> field() {
        const std::size_t colon = text_.find(':', position_);
        if (colon == std::string_view::npos || colon == position_ || colon - position_ > 10) {
            return std::nullopt;
        }
        std::size_t length = 0;
        const char* first = text_.data() + position_;
        const char* last = text_.data() + colon;
        if (std::from_chars(first, last, length).ptr != last || length > text_.size() ||
            colon + 1 + length >= text_.size() || text_[colon + 1 + length] != ',') {
            return std::nullopt;
        }
        const std::string_view value = text_.substr(colon + 1, length);
        position_ = colon + 2 + length;
        return value;
    }

    std::optional<std::uint64_t> number() {
        const std::optional<std::string_view> text = field();
        std::uint64_t value = 0;
        if (!text || text->empty() ||
            std::from_chars(text->data(), text->data() + text->size(), value).ptr !=
                text->data() + text->size()) {
            return std::nullopt;
        }
        return value;
    }

    bool atEnd() const { return position_ == text_.size(); }
    std::size_t position() const { return position_; }

private:
    std::string_view text_;
    std::size_t position_ = 0;
};

}  // namespace nameshift::engine
