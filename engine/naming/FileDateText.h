#pragma once

#include <cstddef>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace nameshift::engine {

// A file's date spelt by `format`, strftime's codes in local time ("%Y-%m-%d"; an empty format
// spells it by settings::kDefaultDateFormat). A date is a piece of a file name, so it never
// holds a folder separator or a colon, which some filesystems refuse and others show as a
// separator: "/" becomes "-" and ":" becomes ".", wherever they come from. Nothing when the
// date cannot be spelt, or only longer than kLongestDateText.
std::optional<std::string> fileDateText(std::time_t date, std::string_view format);

// A date already broken down, as a camera's clock showed it, spelt as it is: no time zone moves
// it. Its weekday and day of the year are worked out from the date itself.
std::optional<std::string> fileDateText(const std::tm& date, std::string_view format);

inline constexpr std::size_t kLongestDateText = 255;

}  // namespace nameshift::engine
