#include "engine/naming/EditedNames.h"

namespace nameshift::engine {
namespace {

std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

}  // namespace

std::string namesForEditing(const std::vector<std::string_view>& names) {
    std::string text;
    for (const std::string_view name : names) {
        for (const char c : name) {
            if (c == '\\') {
                text += "\\\\";
            } else if (c == '\n') {
                text += "\\n";
            } else {
                text += c;
            }
        }
        text += '\n';
    }
    return text;
}

std::vector<std::string> namesFromEditing(std::string_view text) {
    std::vector<std::string> names;
    for (const std::string_view line : linesOf(text)) {
        std::string& name = names.emplace_back();
        for (std::size_t i = 0; i < line.size(); ++i) {
            const char next = i + 1 < line.size() ? line[i + 1] : '\0';
            if (line[i] == '\\' && (next == '\\' || next == 'n')) {
                name += next == 'n' ? '\n' : '\\';
                ++i;
            } else {
                name += line[i];
            }
        }
    }
    return names;
}

std::vector<std::string> namesFromList(std::string_view text) {
    std::vector<std::string> names;
    for (const std::string_view line : linesOf(text)) {
        names.emplace_back(line);
    }
    return names;
}

}  // namespace nameshift::engine
