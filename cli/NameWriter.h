#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "platform/Status.h"

namespace nameshift::cli {

// Writes file names as their exact bytes for other programs to read: a record's fields joined by
// a tab and ended by a newline, or, for names that may hold those characters, every field ended
// by a NUL byte. Output is gathered and written in large blocks.
class NameWriter {
public:
    NameWriter(std::FILE* stream, bool nullSeparated);
    NameWriter(const NameWriter&) = delete;
    NameWriter& operator=(const NameWriter&) = delete;

    void writeName(std::string_view name);
    void writePair(std::string_view oldName, std::string_view newName);
    // Writes whatever is gathered; the first failure of any write so far, if there was one.
    platform::Status flush();

private:
    void append(std::string_view field, char separator);

    std::FILE* stream_;
    bool nullSeparated_;
    std::string buffer_;
    platform::Status failure_;
};

}  // namespace nameshift::cli
