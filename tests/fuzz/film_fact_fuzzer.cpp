// Any bytes as a video (the seeds are Matroska, WebM, MP4 and AVI), read for its camera, size and
// length as the program reads a file named so.

#include "FactFuzzer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fuzzMediaFacts(".mkv", data, size);
}
