#include "engine/naming/FileDateText.h"

#include <algorithm>
#include <array>

#include "settings/RenameSettings.h"

namespace nameshift::engine {
namespace {

std::optional<std::string> spell(const std::tm& date, std::string_view format) {
    const std::string pattern(format.empty() ? settings::kDefaultDateFormat : format);
    // strftime gives 0 both for a date too long for the buffer and for one spelt as nothing: the
    // leading space tells them apart.
    std::array<char, kLongestDateText + 2> buffer{};
    const std::size_t length =
        std::strftime(buffer.data(), buffer.size(), (" " + pattern).c_str(), &date);
    if (length == 0) {
        return std::nullopt;
    }
    std::string text(buffer.data() + 1, length - 1);
    std::replace(text.begin(), text.end(), '/', '-');
    std::replace(text.begin(), text.end(), ':', '.');
    return text;
}

}  // namespace

std::optional<std::string> fileDateText(std::time_t date, std::string_view format) {
    std::tm local{};
    if (::localtime_r(&date, &local) == nullptr) {
        return std::nullopt;
    }
    return spell(local, format);
}

std::optional<std::string> fileDateText(const std::tm& date, std::string_view format) {
    // timegm reads the fields without a zone and gmtime_r fills in the weekday and the day of the
    // year, so that "%a" and "%j" hold for the date as given.
    std::tm fields = date;
    const std::time_t asUtc = ::timegm(&fields);
    std::tm full{};
    if (::gmtime_r(&asUtc, &full) == nullptr) {
        return std::nullopt;
    }
    return spell(full, format);
}

}  // namespace nameshift::engine
