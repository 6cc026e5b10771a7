#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "ScratchFile.h"
#include "TagTextChecks.h"
#include "engine/contents/AudioFileTags.h"
#include "engine/contents/TagLibTagReader.h"

// Any bytes as an audio file whose name ends with `extension`, read through the reader the
// program uses: TagLib's reader of that format, then, finding nothing, the MP3 reader.
inline int fuzzAudioTags(const std::string& extension, const std::uint8_t* data, std::size_t size) {
    using nameshift::engine::AudioFileTags;
    using nameshift::engine::TagLibTagReader;
    static const ScratchFile scratch(extension);
    scratch.write(data, size);
    TagLibTagReader reader;
    const nameshift::engine::TagTexts texts = reader.read(scratch.path);
    // Whatever sizes the file declares, the format's reader stops at its budget and the MP3
    // reader reads about the file once.
    checkBytesRead(reader, AudioFileTags::kReadBudget + size + 1024);
    checkTagTexts(texts);
    return 0;
}
