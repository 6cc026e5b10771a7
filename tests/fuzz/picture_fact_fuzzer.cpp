// Any bytes as a JPEG photo, read for its camera and size as the program reads a file named so.

#include "FactFuzzer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fuzzMediaFacts(".jpg", data, size);
}
