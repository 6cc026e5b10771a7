#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "cli/ValueValidation.h"
#include "settings/RenameSettings.h"

namespace nameshift::cli {

// Where the tool's help lists a text's option, as the main dialog groups its controls. The options
// of a place that are not texts, such as where the text goes, are added by hand after its texts.
enum class TextPlace {
    Prefix,
    Counter,  // --counter gives both counter texts in one START,STEP value, by hand
    Extension,
    CleanUp,  // between the flags of the removals and those of the letter case
    Insert,   // after the clean-up texts; the counts of characters are added by hand
};

// A text of the rules that the command line gives: how it is given, which rule it turns on and
// how it is checked.
struct RuleText {
    std::string settings::RenameSettings::*field = nullptr;
    // The rule that giving the text turns on; none for a text that only completes another one.
    bool settings::RenameSettings::*rule = nullptr;
    ValueCheck check = nullptr;  // as the dialog's edit checks it
    // The option that makes the text a regular expression, which checkPatternText checks instead.
    bool settings::RenameSettings::*patternFlag = nullptr;
    // How the line that says where a refused value came from calls it.
    const char* description = nullptr;
    TextPlace place = TextPlace::Prefix;
    const char* option = nullptr;  // none: an option of its place added by hand gives it
    const char* valueName = nullptr;
    const char* help = nullptr;
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
         .description = "the prefix text",
         .place = TextPlace::Prefix,
         .option = "--prefix",
         .valueName = "TEXT",
         .help = "Change Prefix: add or put this text"},
        {.field = &R::extensionText,
         .rule = &R::changeExtension,
         .check = checkNameText,
         .description = "the extension text",
         .place = TextPlace::Extension,
         .option = "--ext",
         .valueName = "TEXT",
         .help = "Change Extension: add or put this text"},
        {.field = &R::stringToRemove,
         .rule = &R::removeString,
         .check = checkNameText,
         .patternFlag = &R::removeRegex,
         .description = "the string to remove",
         .place = TextPlace::CleanUp,
         .option = "--remove",
         .valueName = "TEXT",
         .help = "Remove the first occurrence of this text"},
        {.field = &R::replaceFrom,
         .rule = &R::replaceString,
         .check = checkNameText,
         .patternFlag = &R::replaceRegex,
         .description = "the string to replace",
         .place = TextPlace::CleanUp,
         .option = "--replace",
         .valueName = "FROM",
         .help = "Replace the first occurrence of this text by the --with text"},
        {.field = &R::replaceWith,
         .check = checkNameText,
         .description = "the replacement string",
         .place = TextPlace::CleanUp,
         .option = "--with",
         .valueName = "TO",
         .help = "The replacement for --replace (default: empty)",
         .completes = &R::replaceFrom},
        {.field = &R::counterStart,
         .rule = &R::useCounter,
         .check = checkCounterStart,
         .description = "the counter start",
         .place = TextPlace::Counter},
        {.field = &R::counterIncrement,
         .rule = &R::useCounter,
         .check = checkCounterIncrement,
         .description = "the counter increment",
         .place = TextPlace::Counter},
        {.field = &R::insertedText,
         .rule = &R::insertText,
         .check = checkNameText,
         .description = "the text to insert",
         .place = TextPlace::Insert,
         .option = "--insert",
         .valueName = "TEXT",
         .help = "Insert this text into the base name, at the --insert-at character"},
        {.field = &R::insertAt,
         .check = checkCharacterCount,
         .description = "the insert position",
         .place = TextPlace::Insert},
        {.field = &R::removeCount,
         .rule = &R::removeCharacters,
         .check = checkCharacterCount,
         .description = "the number of characters to remove",
         .place = TextPlace::Insert},
        {.field = &R::removeAt,
         .check = checkCharacterCount,
         .description = "the removal position",
         .place = TextPlace::Insert},
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

// A row is complete, and the text it completes is given by an option of its place that the
// parser has added before its own. (Whether a row has its check is not asked here: a function's
// address is no constant to every compiler, the sanitizers' builds among them.)
constexpr bool isWellFormed(std::size_t row) {
    const RuleText& text = kRuleTexts[row];
    const bool hasOption = text.option != nullptr;
    if (text.field == nullptr || text.description == nullptr ||
        hasOption != (text.valueName != nullptr && text.help != nullptr)) {
        return false;
    }
    if (text.completes == nullptr) {
        return true;
    }
    const std::size_t completed = ruleTextIndex(text.completes);
    return hasOption && completed < row && kRuleTexts[completed].option != nullptr &&
           kRuleTexts[completed].place == text.place;
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
