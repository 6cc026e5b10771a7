#pragma once

#include <optional>

#include "engine/naming/NameTemplate.h"
#include "engine/naming/PatternRule.h"
#include "engine/naming/Transliteration.h"
#include "settings/RenameSettings.h"

namespace nameshift::engine {

// The rule settings with what their rules need made once per batch, not once per name: the
// compiled patterns of Remove and Replace and the transforms of accents and scripts.
class PreparedRules {
public:
    explicit PreparedRules(settings::RenameSettings settings);

    const settings::RenameSettings& settings() const { return settings_; }
    // None while its rule is off.
    PatternRule* removal() { return removal_ ? &*removal_ : nullptr; }
    PatternRule* replacement() { return replacement_ ? &*replacement_ : nullptr; }
    const Transliteration* withoutAccents() const {
        return withoutAccents_ ? &*withoutAccents_ : nullptr;
    }
    const Transliteration* latinOnly() const { return latinOnly_ ? &*latinOnly_ : nullptr; }
    // None without a template, or with one that findSettingsRefusal refuses.
    const NameTemplate* nameTemplate() const { return nameTemplate_ ? &*nameTemplate_ : nullptr; }

private:
    settings::RenameSettings settings_;
    std::optional<PatternRule> removal_;
    std::optional<PatternRule> replacement_;
    std::optional<Transliteration> withoutAccents_;
    std::optional<Transliteration> latinOnly_;
    std::optional<NameTemplate> nameTemplate_;
};

}  // namespace nameshift::engine
