// Any bytes as an Ogg file, read as the program reads a file named so: Vorbis, Opus or Speex.

#include "AudioTagFuzzer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fuzzAudioTags(".ogg", data, size);
}
