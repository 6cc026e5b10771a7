#include "platform/MessageText.h"

namespace nameshift::platform {

std::string MessageText::filled() const {
    if (parts.empty()) {
        return fillPlaceholders(pattern, arguments, count);
    }
    std::vector<std::string> all = arguments;
    std::string joined;
    for (const MessageText& part : parts) {
        joined += part.filled();
    }
    all.push_back(std::move(joined));
    return fillPlaceholders(pattern, all, count);
}

std::string MessageText::fillPlaceholders(std::string_view pattern,
                                          const std::vector<std::string>& arguments,
                                          std::optional<long long> count) {
    std::string text;
    text.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (pattern[i] == '%' && next >= '1' && next <= '9' &&
            static_cast<std::size_t>(next - '1') < arguments.size()) {
            text += arguments[static_cast<std::size_t>(next - '1')];
            ++i;
        } else if (pattern[i] == '%' && next == 'n' && count) {
            text += std::to_string(*count);
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

}  // namespace nameshift::platform
