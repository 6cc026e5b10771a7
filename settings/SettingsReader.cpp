#include "settings/SettingsReader.h"

#include <array>

namespace nameshift::settings {
namespace {

constexpr std::size_t kLineEndLength = 2;

}  // namespace

std::optional<std::string_view> SettingsReader::valueOf(std::string_view key) const {
    const std::size_t found = text_.find(key);
    if (found == std::string_view::npos) {
        return std::nullopt;
    }
    const std::size_t start = found + key.size() + kLineEndLength;
    if (start > text_.size()) {
        return std::nullopt;
    }
    return text_.substr(start);
}

void SettingsReader::readBoolean(std::string_view key, bool& field) const {
    if (const auto value = valueOf(key)) {
        field = value->starts_with("TRUE");
    }
}

StringValue SettingsReader::stringValue(std::string_view key) const {
    const auto value = valueOf(key);
    if (!value || value->empty()) {
        return {};
    }
    if (value->starts_with("\"\"")) {
        return {StringValue::Kind::EmptyPair, {}};
    }
    const std::string_view rest = value->substr(1);
    const std::size_t closing = rest.find('"');
    if (closing == std::string_view::npos) {
        return {};
    }
    return {StringValue::Kind::Text, rest.substr(0, closing)};
}

void SettingsReader::readString(std::string_view key, std::string& field) const {
    const StringValue value = stringValue(key);
    if (value.kind == StringValue::Kind::Text) {
        field = value.text;
    }
}

void SettingsReader::readPositionCode(std::string_view key, int& field, int choices) const {
    static constexpr std::array<std::string_view, 3> kCodes = {"BEG", "END", "REP"};
    const auto value = valueOf(key);
    if (!value) {
        return;
    }
    for (int code = 0; code < choices && code < 3; ++code) {
        if (value->starts_with(kCodes[static_cast<std::size_t>(code)])) {
            field = code;
            return;
        }
    }
}

void SettingsReader::readSortWord(std::string_view key, int& field) const {
    static constexpr std::array<std::string_view, 4> kWords = {"Date", "Exte", "Name", "Size"};
    const auto value = valueOf(key);
    if (!value) {
        return;
    }
    for (std::size_t index = 0; index < kWords.size(); ++index) {
        if (value->starts_with(kWords[index])) {
            field = static_cast<int>(index);
            return;
        }
    }
}

std::optional<int> SettingsReader::digitOf(std::string_view key) const {
    const auto value = valueOf(key);
    if (!value) {
        return std::nullopt;
    }
    if (value->empty() || value->front() < '0' || value->front() > '9') {
        return -1;
    }
    return value->front() - '0';
}

}  // namespace nameshift::settings
