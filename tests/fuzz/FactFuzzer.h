#pragma once

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "ScratchFile.h"
#include "TagTextChecks.h"
#include "engine/contents/MediaFacts.h"
#include "engine/contents/TagLibTagReader.h"
#include "engine/contents/TakenDate.h"

// A fact is text a name can hold: a camera without control characters, a size of two numbers, a
// length of numbers between dots.
inline void checkFact(const std::optional<std::string>& fact, nameshift::engine::MediaFact which) {
    using nameshift::engine::MediaFact;
    if (!fact) {
        return;
    }
    if (fact->empty() || fact->size() > nameshift::engine::MediaFacts::kLongestCamera) {
        std::abort();
    }
    const auto allowed = [which](char c) {
        switch (which) {
            case MediaFact::Camera:
                return static_cast<unsigned char>(c) >= 0x20;
            case MediaFact::PixelSize:
                return std::isdigit(static_cast<unsigned char>(c)) != 0 || c == 'x';
            case MediaFact::Duration:
                return std::isdigit(static_cast<unsigned char>(c)) != 0 || c == '.';
        }
        return false;
    };
    if (!std::all_of(fact->begin(), fact->end(), allowed)) {
        std::abort();
    }
}

// Any bytes as a file whose name ends with `extension`, read for "%c", "%x" and "%d" as the
// program reads it. However the file declares its sizes, no read goes past its budget: the head
// and the budget of the reader it goes to.
inline int fuzzMediaFacts(const std::string& extension, const std::uint8_t* data,
                          std::size_t size) {
    using nameshift::engine::MediaFact;
    static const ScratchFile scratch(extension);
    scratch.write(data, size);
    for (const MediaFact which : {MediaFact::Camera, MediaFact::PixelSize, MediaFact::Duration}) {
        nameshift::engine::TagLibTagReader reader;
        checkFact(reader.fact(scratch.path, which), which);
        checkBytesRead(reader, nameshift::engine::TakenDate::kHeadLength +
                                   nameshift::engine::MediaFacts::kReadBudget + 4096);
    }
    return 0;
}
