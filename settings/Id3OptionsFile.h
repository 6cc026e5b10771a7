#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "settings/TagNamingDialogState.h"
#include "settings/TagNamingOptions.h"

namespace nameshift::settings {

// ID3Opts.ini: the ID3 options dialog's record, six entries in a fixed order. The dialog reads
// the whole record back; the main dialog reads only the rename mode and one format string.

// The codes of the selected frames in list order, joined by the separator character when
// separators are in use. Names that are no frame are left out.
std::string basicFormat(const TagNamingOptions& options);

std::string formatId3Options(const TagNamingOptions& options);

// The dialog's reading: it starts from nothing chosen and takes a frame for every digit "1" to
// "6" of the basic format from its second byte on, each frame once.
TagNamingDialogState parseTagNamingDialogState(std::string_view text);

// The main dialog's reading: the rename mode (0 unless "1" or "2"), and the basic or the
// advanced format as stored, with every invalid file name character made "-".
Id3Naming parseId3Naming(std::string_view text);

// Quiet readings: nothing when the file cannot be read.
std::optional<TagNamingDialogState> readTagNamingDialogState(platform::FileSystem& fileSystem,
                                                             const std::string& path);
std::optional<Id3Naming> readId3Naming(platform::FileSystem& fileSystem, const std::string& path);

// The readings with the "ID3Opts.ini" message and the defaults when the file cannot be read.
TagNamingDialogState loadId3Options(platform::FileSystem& fileSystem,
                                    platform::MessageBox& messages, const std::string& path,
                                    bool* loaded = nullptr);
Id3Naming loadId3Naming(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                        const std::string& path, bool* loaded = nullptr);

// Writes the file, replacing any old one without asking; every refusal and failure has its
// message. True when the file was written.
bool saveId3Options(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                    const std::string& path, const TagNamingOptions& options);

}  // namespace nameshift::settings
