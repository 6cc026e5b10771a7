#include "cli/ApplyRuleOverrides.h"

#include <string>

namespace nameshift::cli {
namespace {

void turnOnWithText(const std::optional<std::string>& given, bool& rule, std::string& text) {
    if (given) {
        rule = true;
        text = *given;
    }
}

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
    turnOnWithText(overrides.prefix, rules.changePrefix, rules.prefixText);
    setIfGiven(overrides.prefixPosition, rules.prefixPosition);

    if (overrides.counterStart || overrides.counterIncrement) {
        rules.useCounter = true;
    }
    setIfGiven(overrides.counterStart, rules.counterStart);
    setIfGiven(overrides.counterIncrement, rules.counterIncrement);
    setIfGiven(overrides.counterDigitsIndex, rules.counterDigitsIndex);
    setIfGiven(overrides.counterPosition, rules.counterPosition);

    turnOnWithText(overrides.extension, rules.changeExtension, rules.extensionText);
    setIfGiven(overrides.extensionPosition, rules.extensionPosition);

    turnOnWithText(overrides.stringToRemove, rules.removeString, rules.stringToRemove);
    turnOnWithText(overrides.replaceFrom, rules.replaceString, rules.replaceFrom);
    setIfGiven(overrides.replaceWith, rules.replaceWith);

    for (bool settings::RenameSettings::*rule : overrides.rulesTurnedOn) {
        rules.*rule = true;
    }

    setIfGiven(overrides.id3Format, id3.format);
    setIfGiven(overrides.id3Mode, id3.renameMode);

    if (overrides.attributes) {
        rules.attributeArchive = names(*overrides.attributes, 'a');
        rules.attributeHidden = names(*overrides.attributes, 'h');
        rules.attributeReadOnly = names(*overrides.attributes, 'r');
        rules.attributeSystem = names(*overrides.attributes, 's');
    }
    setIfGiven(overrides.sortKey, rules.sortKey);
}

}  // namespace nameshift::cli
