// Any bytes as an MP4 video, read for the date it was taken as the program reads a file named so.

#include "DateFuzzer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fuzzTakenDate(".mp4", data, size);
}
