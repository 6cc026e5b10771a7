// Any bytes as an M4A file, read as the program reads a file named so.

#include "AudioTagFuzzer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fuzzAudioTags(".m4a", data, size);
}
