#pragma once

#include <bitset>
#include <span>
#include <string>
#include <string_view>
#include <tuple>

#include "engine/contents/TagReader.h"

#include "engine/naming/BatchPlan.h"
#include "settings/RenameSettings.h"
#include "settings/TagNamingOptions.h"

namespace nameshift::engine {

// The tag name of one file: `format` with each code ("%1".."%9", "%m", "%b", "%t", "%c", "%x",
// "%d"; TagTexts lists them) whose value is present replaced by it, and each code whose value is
// absent left out together with the text that ties it to the rest, so that no code is ever left
// unfilled; the characters a file name may not hold and control characters turned into "-". Text
// taken from a tag is never read as a code itself.
std::string buildTagName(const std::string& format, const TagTexts& tags);

// What the tags of one file make of a format: the name built from them, and whether they hold
// every and any of the texts the format names.
struct TagName {
    std::string name;
    bool complete = false;
    bool partial = false;
};

// Names files by their tags as applyTagNaming does, in two steps that may run on different
// threads: reading a file (only what the format names) and rewriting its change. A copy reads
// with whichever reader it is given and shares nothing.
class TagNamer {
public:
    TagNamer(settings::Id3Naming naming, std::string dateFormat);

    // A format without codes names every file alike, whatever its tag holds: no file is read.
    bool readsFiles() const { return required_.any(); }
    TagName read(TagReader& tags, const std::string& directory, std::string_view name) const;
    void apply(const TagName& tagName, PlannedChange& change) const;

private:
    settings::Id3Naming naming_;
    std::string dateFormat_;
    std::bitset<std::tuple_size_v<TagTexts>> required_;
};

// Rewrites each change's new name from the tags of directory + "/" + its old name, by the mode and
// format of `naming`; every new name keeps the extension the rules gave it. A file with none of the
// format's frames keeps the name the rules gave it, whatever the mode. The file's dates, for "%m",
// "%b" and "%t", are spelt by `dateFormat` (fileDateText). Shows no message.
void applyTagNaming(const settings::Id3Naming& naming, TagReader& tags,
                    const std::string& directory, std::span<PlannedChange> changes,
                    const std::string& dateFormat = std::string(settings::kDefaultDateFormat));

}  // namespace nameshift::engine
