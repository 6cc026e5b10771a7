#include "cli/ApplyRuleOverrides.h"

#include <gtest/gtest.h>

namespace nameshift::cli {
namespace {

using settings::RenameSettings;

TEST(ApplyRuleOverridesTest, TextsTurnTheirRulesOnAndChoicesOnlySetTheChoice) {
    RuleOverrides overrides;
    overrides.prefixPosition = settings::Position::End;
    overrides.text(&RenameSettings::counterIncrement) = "2";
    overrides.text(&RenameSettings::replaceFrom) = "a";
    overrides.text(&RenameSettings::replaceWith) = "";
    overrides.rulesTurnedOn = {&RenameSettings::removeHyphens};
    overrides.rulesTurnedOff = {&RenameSettings::replaceMatchCase};
    overrides.text(&RenameSettings::removeCount) = "3";
    overrides.text(&RenameSettings::insertAt) = "2";
    overrides.caseScope = settings::CaseScope::ExtensionOnly;
    overrides.id3Format = "%4";
    overrides.attributes = "rh";

    RenameSettings rules = RenameSettings::whenFileMissing();
    rules.replaceWith = "from renset.ini";
    rules.removeTildes = true;
    settings::Id3Naming id3;
    applyRuleOverrides(overrides, rules, id3);

    RenameSettings expected = RenameSettings::whenFileMissing();
    expected.prefixPosition = settings::Position::End;
    expected.useCounter = true;
    expected.counterIncrement = "2";
    expected.replaceString = true;
    expected.replaceFrom = "a";
    expected.removeHyphens = true;
    expected.removeTildes = true;
    expected.replaceMatchCase = false;
    expected.removeCharacters = true;
    expected.removeCount = "3";
    expected.insertAt = "2";  // the position alone leaves insertion as it was
    expected.caseScope = settings::CaseScope::ExtensionOnly;
    expected.attributeArchive = false;
    expected.attributeSystem = false;
    EXPECT_EQ(rules, expected);
    EXPECT_EQ(id3, (settings::Id3Naming{settings::Id3RenameMode::AllOrRules, "%4"}));
}

}  // namespace
}  // namespace nameshift::cli
