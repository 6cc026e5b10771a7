#include "engine/naming/PreparedRules.h"

namespace nameshift::engine {

PreparedRules::PreparedRules(settings::RenameSettings settings) : settings_(std::move(settings)) {
    const settings::RenameSettings& s = settings_;
    if (s.removeString) {
        removal_.emplace(s.stringToRemove, std::string(),
                         PatternOptions{s.removeRegex, s.removeAllOccurrences, s.removeMatchCase});
    }
    if (s.replaceString) {
        replacement_.emplace(
            s.replaceFrom, s.replaceWith,
            PatternOptions{s.replaceRegex, s.replaceAllOccurrences, s.replaceMatchCase});
    }
    if (s.removeAccents) {
        withoutAccents_.emplace(Transliteration::withoutAccents());
    }
    if (s.latinOnly) {
        latinOnly_.emplace(Transliteration::latinOnly());
    }
    if (!s.nameTemplate.empty()) {
        auto parsed = NameTemplate::parse(s.nameTemplate);
        if (auto* made = std::get_if<NameTemplate>(&parsed)) {
            nameTemplate_.emplace(std::move(*made));
        }
    }
}

}  // namespace nameshift::engine
