#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "engine/naming/BatchPlan.h"
#include "platform/MessageBox.h"
#include "settings/RenameSettings.h"

namespace nameshift::engine {

class PreparedRules;

// The refusal of settings that cannot make names, or of a batch with nothing ticked; nothing when
// the names can be computed. A regular expression that does not compile is refused with ICU's
// reason and the place in the pattern.
std::optional<platform::Message> findSettingsRefusal(const settings::RenameSettings& settings,
                                                     std::size_t tickedCount);
// The refusal of new names given as a list for the files named `ticked`, one a line: a count that
// does not match, an empty line, a name with a character that names may not hold or a control
// character, each said with its line number. A line that leaves its file's name as it is passes.
std::optional<platform::Message> findListedNamesRefusal(
    const std::vector<std::string>& names, const std::vector<std::string_view>& ticked);
// The part of findSettingsRefusal that judges the regular expressions, their replacement and the
// name template: the texts whose fields say themselves what is wrong with them.
std::optional<platform::Message> findPatternRefusal(const settings::RenameSettings& settings);
// "The regular expression "…" cannot be used: …" for a pattern in `used` that does not compile;
// nothing for one that does, or is not used.
std::optional<platform::Message> patternRefusal(bool used, const std::string& pattern,
                                                bool matchCase);
// "You have not specified any ID3 options": ID3 naming is on and its format is empty.
platform::Message noId3OptionsRefusal();

// Gives a run of a batch's changes, the batch's `firstPosition`-th change first, the names the
// rules make of their new names; the settings must have passed findSettingsRefusal. A change
// whose old name is `keptName` (none when empty) keeps its name and takes no counter value, so
// that the files after it are numbered as if it were not ticked. A regular expression that runs
// past its bound on a name gives the batch's refusal, and the names are unfinished.
std::optional<platform::Message> nameChanges(PreparedRules& rules, std::span<PlannedChange> changes,
                                             std::size_t firstPosition,
                                             std::string_view keptName = {});

}  // namespace nameshift::engine
