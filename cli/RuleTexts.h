#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "cli/ValueValidation.h"
#include "settings/RenameSettings.h"

namespace nameshift::cli {

// A text of the rules that the command line gives: which rule it turns on and how it is checked;
// the options that give them are rows of the option table.
struct RuleText {
    std::string settings::RenameSettings::*field = nullptr;
    // The rule that giving the text turns on; none for a text that only completes another one.
    bool settings::RenameSettings::*rule = nullptr;
    ValueCheck check = nullptr;  // as the dialog's edit checks it
    // The option that makes the text a regular expression, which checkPatternText checks instead.
    bool settings::RenameSettings::*patternFlag = nullptr;
    // How the line that says where a refused value came from calls it.
    const char* description = nullptr;
    // The text whose option this one's needs; given that one alone, this one is empty.
    std::string settings::RenameSettings::*completes = nullptr;
};

namespace rule_texts {

// A function, so that the short name of the record stays inside it.
constexpr auto makeTable() {
    using R = settings::RenameSettings;
    return std::to_array<RuleText>({
        {.field = &R::prefixText,
         .rule = &R::changePrefix,
         .check = checkNameText,
         .description = "the prefix text"},
        {.field = &R::extensionText,
         .rule = &R::changeExtension,
         .check = checkNameText,
         .description = "the extension text"},
        {.field = &R::stringToRemove,
         .rule = &R::removeString,
         .check = checkNameText,
         .patternFlag = &R::removeRegex,
         .description = "the string to remove"},
        {.field = &R::replaceFrom,
         .rule = &R::replaceString,
         .check = checkNameText,
         .patternFlag = &R::replaceRegex,
         .description = "the string to replace"},
        {.field = &R::replaceWith,
         .check = checkNameText,
         .description = "the replacement string",
         .completes = &R::replaceFrom},
        {.field = &R::counterStart,
         .rule = &R::useCounter,
         .check = checkCounterStart,
         .description = "the counter start"},
        {.field = &R::counterIncrement,
         .rule = &R::useCounter,
         .check = checkCounterIncrement,
         .description = "the counter increment"},
        {.field = &R::insertedText,
         .rule = &R::insertText,
         .check = checkNameText,
         .description = "the text to insert"},
        {.field = &R::insertAt, .check = checkCharacterCount, .description = "the insert position"},
        {.field = &R::removeCount,
         .rule = &R::removeCharacters,
         .check = checkCharacterCount,
         .description = "the number of characters to remove"},
        {.field = &R::removeAt,
         .check = checkCharacterCount,
         .description = "the removal position"},
    });
}

}  // namespace rule_texts

// Every text of the rules that the command line gives, in the order in which the dialog checks
// its edits, which is the order a refusal follows.
inline constexpr auto kRuleTexts = rule_texts::makeTable();

// The row of kRuleTexts that holds `field`; kRuleTexts.size() when none does.
constexpr std::size_t ruleTextIndex(std::string settings::RenameSettings::*field) {
    std::size_t index = 0;
    while (index < kRuleTexts.size() && kRuleTexts[index].field != field) {
        ++index;
    }
    return index;
}

namespace rule_texts {

// A row is complete, and the text it completes is one of an earlier row. (Whether a row has its
// check is not asked here: a function's address is no constant to every compiler, the sanitizers'
// builds among them.)
constexpr bool isWellFormed(std::size_t row) {
    const RuleText& text = kRuleTexts[row];
    return text.field != nullptr && text.description != nullptr &&
           (text.completes == nullptr || ruleTextIndex(text.completes) < row);
}

constexpr bool everyRowIsWellFormed() {
    for (std::size_t row = 0; row < kRuleTexts.size(); ++row) {
        if (!isWellFormed(row)) {
            return false;
        }
    }
    return true;
}
static_assert(everyRowIsWellFormed());

}  // namespace rule_texts

}  // namespace nameshift::cli
