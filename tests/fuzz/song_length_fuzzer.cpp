// Any bytes as an MP3 song, read for its length as the program reads a file named so.

#include "FactFuzzer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fuzzMediaFacts(".mp3", data, size);
}
