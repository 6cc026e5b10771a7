#pragma once

#include <span>
#include <string>

#include "engine/TagReader.h"

#include "engine/BatchPlan.h"
#include "settings/Id3Options.h"
#include "settings/RenameSettings.h"

namespace nameshift::engine {

// The tag name of one file: `format` with each code ("%1".."%9", "%m", "%b", "%t"; TagTexts lists
// them) whose value is present replaced by it, and each code whose value is absent left out
// together with the text that ties it to the rest, so that no code is ever left unfilled; the
// characters a file name may not hold and control characters turned into "-". Text taken from a tag
// is never read as a code itself.
std::string buildTagName(const std::string& format, const TagTexts& tags);

// Rewrites each change's new name from the tags of directory + "/" + its old name, by the mode and
// format of `naming`; every new name keeps the extension the rules gave it. A file with none of the
// format's frames keeps the name the rules gave it, whatever the mode. The file's dates, for "%m",
// "%b" and "%t", are spelt by `dateFormat` (fileDateText). Shows no message.
void applyTagNaming(const settings::Id3Naming& naming, TagReader& tags,
                    const std::string& directory, std::span<PlannedChange> changes,
                    const std::string& dateFormat = std::string(settings::kDefaultDateFormat));

}  // namespace nameshift::engine
