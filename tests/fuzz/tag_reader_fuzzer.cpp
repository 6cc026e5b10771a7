// Any bytes as an MP3 file, written to a temporary file and read through TagLib.

#include <cstddef>
#include <cstdint>

#include "ScratchFile.h"
#include "TagTextChecks.h"
#include "engine/contents/TagLibTagReader.h"

using nameshift::engine::TagLibTagReader;
using nameshift::engine::TagTexts;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const ScratchFile scratch;
    scratch.write(data, size);
    TagLibTagReader reader;
    const TagTexts texts = reader.read(scratch.path);
    // The tags are read from the file's first bytes, its last ones and the ID3v2 tag the first
    // ones announce, which the file must hold whole: never much more than the file itself.
    checkBytesRead(reader, size + 1024);
    checkTagTexts(texts);
    return 0;
}
