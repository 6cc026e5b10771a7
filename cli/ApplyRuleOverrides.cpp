#include "cli/ApplyRuleOverrides.h"

#include <string>

namespace nameshift::cli {
namespace {

template <typename T, typename Field>
void setIfGiven(const std::optional<T>& given, Field& field) {
    if (given) {
        field = *given;
    }
}

bool names(const std::string& letters, char letter) {
    return letters.find(letter) != std::string::npos;
}

}  // namespace

void applyRuleOverrides(const RuleOverrides& overrides, settings::RenameSettings& rules,
                        settings::Id3Naming& id3) {
    for (const RuleText& text : kRuleTexts) {
        if (const std::optional<std::string>& given = overrides.text(text.field)) {
            if (text.rule != nullptr) {
                rules.*text.rule = true;
            }
            rules.*text.field = *given;
        }
    }
    setIfGiven(overrides.prefixPosition, rules.prefixPosition);
    setIfGiven(overrides.counterDigitsIndex, rules.counterDigitsIndex);
    setIfGiven(overrides.counterPosition, rules.counterPosition);
    setIfGiven(overrides.extensionPosition, rules.extensionPosition);

    setIfGiven(overrides.caseScope, rules.caseScope);
    setIfGiven(overrides.includeFilter, rules.includeFilter);
    setIfGiven(overrides.excludeFilter, rules.excludeFilter);
    if (overrides.subfolderDepth) {
        rules.includeSubfolders = *overrides.subfolderDepth != 0;
        rules.subfolderLevels =
            *overrides.subfolderDepth > 0 ? std::to_string(*overrides.subfolderDepth) : "";
    }

    for (bool settings::RenameSettings::*rule : overrides.rulesTurnedOn) {
        rules.*rule = true;
    }
    for (bool settings::RenameSettings::*rule : overrides.rulesTurnedOff) {
        rules.*rule = false;
    }

    setIfGiven(overrides.id3Format, id3.format);
    setIfGiven(overrides.id3Mode, id3.renameMode);
    setIfGiven(overrides.dateFormat, rules.dateFormat);
    setIfGiven(overrides.nameTemplate, rules.nameTemplate);

    if (overrides.attributes) {
        rules.attributeArchive = names(*overrides.attributes, 'a');
        rules.attributeHidden = names(*overrides.attributes, 'h');
        rules.attributeReadOnly = names(*overrides.attributes, 'r');
        rules.attributeSystem = names(*overrides.attributes, 's');
    }
    setIfGiven(overrides.sortKey, rules.sortKey);
}

}  // namespace nameshift::cli
