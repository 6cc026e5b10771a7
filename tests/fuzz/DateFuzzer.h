#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "ScratchFile.h"
#include "TagTextChecks.h"
#include "engine/contents/TagLibTagReader.h"
#include "engine/contents/TakenDate.h"

// Any bytes as a photo or video whose name ends with `extension`, read for "%t" as the program
// reads it. Whatever the file declares, no more than the budget is read: the head handed to exiv2,
// or the box headers on the way to a movie header.
inline int fuzzTakenDate(const std::string& extension, const std::uint8_t* data, std::size_t size) {
    static const ScratchFile scratch(extension);
    scratch.write(data, size);
    nameshift::engine::TagLibTagReader reader;
    checkTakenDate(reader.taken(scratch.path));
    // The box headers on the way to a movie's header are read besides: 16 bytes each, at most 64
    // boxes a level.
    checkBytesRead(reader, nameshift::engine::TakenDate::kReadBudget + 4096);
    return 0;
}
