#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <optional>

#include "engine/contents/TagLibTagReader.h"
#include "engine/naming/FileDateText.h"

// What every fuzzer of the tag reader checks: that it read no more than `budget` bytes.
inline void checkBytesRead(const nameshift::engine::TagLibTagReader& reader, std::uint64_t budget) {
    if (reader.bytesRead() > budget) {
        std::abort();
    }
}

// No text is longer than the reader promises.
inline void checkTagTexts(const nameshift::engine::TagTexts& texts) {
    using nameshift::engine::TagLibTagReader;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::size_t longest = nameshift::engine::isNumberText(i)
                                        ? TagLibTagReader::kLongestNumber
                                        : TagLibTagReader::kLongestText;
        if (texts[i] && texts[i]->size() > longest) {
            std::abort();
        }
    }
}

// A date read from a file, if any, is a real one, which the naming can always spell.
inline void checkTakenDate(const std::optional<std::tm>& date) {
    if (date && !nameshift::engine::fileDateText(*date, "%Y-%m-%d %H.%M.%S %a %j")) {
        std::abort();
    }
}
