#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "settings/ProgramOptions.h"
#include "settings/RenameSettings.h"
#include "settings/SettingsFileAccess.h"
#include "settings/SettingsReader.h"
#include "settings/SettingsWriter.h"

namespace nameshift::settings {

// How an entry of a settings file spells its field's value.
enum class FieldKind {
    Boolean,          // "TRUE" or "FALSE"
    String,           // the text between double quotes
    Position,         // "BEG", "END" or "REP"
    CounterPosition,  // "BEG" or "END": the counter goes before or after the prefix
    DigitCount,       // "1" to "4" for the rows 0 to 3 of the digits list; "4" for wider rows
    WideDigitCount,   // "5" or "6" for the rows 4 and 5 of the digits list; "0" for the others
    CaseScopeDigit,   // "0" to "2"; any other digit leaves the scope as it was
    SortWord,         // "Date", "Extension", "Name" or "Size"
    UsageDigit,       // "0" to "2"; any other digit reads as "0"
};

// The field of a record that an entry holds.
template <typename Record>
using FieldMember =
    std::variant<bool Record::*, std::string Record::*, std::optional<Position> Record::*,
                 int Record::*, std::optional<SortKey> Record::*, RestoreFileUsage Record::*,
                 CaseScope Record::*>;

// One entry of a settings file: its key, the field it holds, how its value is spelt and the
// object name of the dialog control that shows it, when one does. A string field has the label a
// refusal to save it names it by ("The prefix").
template <typename Record>
struct SettingsField {
    std::string_view key;
    FieldMember<Record> member;
    FieldKind kind;
    const char* control = nullptr;
    const char* label = nullptr;
    // An option of the program kept in a rules file, not a rule: its entry is written only while
    // it is off its default, so that the file stays as earlier versions wrote it, and no preset
    // carries it.
    bool programOption = false;
    // A rule that earlier versions did not have: written, here and in presets, only while it is
    // set, so that the files of anyone who does not use it stay as they were.
    bool writtenWhenSet = false;
};

// Whether `field` of `record` holds the value of a record made afresh.
template <typename Record>
bool holdsDefault(const Record& record, const SettingsField<Record>& field) {
    static const Record fresh{};
    return std::visit([&](auto member) { return record.*member == fresh.*member; }, field.member);
}

// True when the field's kind spells a value of the member's type; every table checks this at
// compile time.
template <typename Record>
constexpr bool kindFitsMember(const SettingsField<Record>& field) {
    switch (field.kind) {
        case FieldKind::Boolean:
            return std::holds_alternative<bool Record::*>(field.member);
        case FieldKind::String:
            return std::holds_alternative<std::string Record::*>(field.member) &&
                   field.label != nullptr;
        case FieldKind::Position:
        case FieldKind::CounterPosition:
            return std::holds_alternative<std::optional<Position> Record::*>(field.member);
        case FieldKind::DigitCount:
        case FieldKind::WideDigitCount:
            return std::holds_alternative<int Record::*>(field.member);
        case FieldKind::CaseScopeDigit:
            return std::holds_alternative<CaseScope Record::*>(field.member);
        case FieldKind::SortWord:
            return std::holds_alternative<std::optional<SortKey> Record::*>(field.member);
        case FieldKind::UsageDigit:
            return std::holds_alternative<RestoreFileUsage Record::*>(field.member);
    }
    return false;
}

template <typename Record>
constexpr bool everyKindFits(std::span<const SettingsField<Record>> fields) {
    for (const SettingsField<Record>& field : fields) {
        if (!kindFitsMember(field)) {
            return false;
        }
    }
    return true;
}

namespace field_codec {

inline constexpr int kCounterPositions = 2;
// renset.ini's list of digit counts; the rows after them are morerules.ini's.
inline constexpr int kDigitCounts = 4;
inline constexpr int kWideDigitCounts = 6;
inline constexpr std::array<std::string_view, kChoiceCount<SortKey>> kSortWords = {
    "Date", "Extension", "Name", "Size"};

template <typename Member, typename Record>
const Member& get(const Record& record, const FieldMember<Record>& member) {
    return record.*std::get<Member Record::*>(member);
}

template <typename Member, typename Record>
Member& get(Record& record, const FieldMember<Record>& member) {
    return record.*std::get<Member Record::*>(member);
}

// The reader keeps a code by its index, which leaves a choice it cannot read as it was.
inline void readPosition(const SettingsReader& reader, std::string_view key,
                         std::optional<Position>& field, int choices) {
    int index = indexOf(field);
    reader.readPositionCode(key, index, choices);
    field = choiceAt<Position>(index);
}

}  // namespace field_codec

// Adds the record's entries in the order of `fields`.
template <typename Record>
void writeFields(SettingsWriter& writer, const Record& record,
                 std::span<const SettingsField<Record>> fields) {
    using namespace field_codec;
    for (const SettingsField<Record>& f : fields) {
        if ((f.programOption || f.writtenWhenSet) && holdsDefault(record, f)) {
            continue;
        }
        switch (f.kind) {
            case FieldKind::Boolean:
                writer.addBoolean(f.key, get<bool>(record, f.member));
                break;
            case FieldKind::String:
                writer.addString(f.key, get<std::string>(record, f.member));
                break;
            case FieldKind::Position:
                writer.addPositionCode(f.key,
                                       indexOf(get<std::optional<Position>>(record, f.member)));
                break;
            case FieldKind::CounterPosition:
                writer.addPositionCode(f.key,
                                       indexOf(get<std::optional<Position>>(record, f.member)),
                                       kCounterPositions);
                break;
            case FieldKind::DigitCount: {
                // A wider count is written as the widest this file knows, for a reader that
                // knows no other file.
                const int index = get<int>(record, f.member);
                const bool wide = index >= kDigitCounts && index < kWideDigitCounts;
                writer.addDigit(f.key, index >= 0 && index < kDigitCounts ? index + 1
                                       : wide                             ? kDigitCounts
                                                                          : -1);
                break;
            }
            case FieldKind::WideDigitCount: {
                const int index = get<int>(record, f.member);
                writer.addDigit(f.key,
                                index >= kDigitCounts && index < kWideDigitCounts ? index + 1 : 0);
                break;
            }
            case FieldKind::CaseScopeDigit:
                writer.addDigit(f.key, indexOf(get<CaseScope>(record, f.member)));
                break;
            case FieldKind::SortWord: {
                const int index = indexOf(get<std::optional<SortKey>>(record, f.member));
                const bool chosen = choiceAt<SortKey>(index).has_value();
                writer.addWord(f.key, chosen ? kSortWords[static_cast<std::size_t>(index)] : "");
                break;
            }
            case FieldKind::UsageDigit: {
                const int index = indexOf(get<RestoreFileUsage>(record, f.member));
                writer.addDigit(f.key, choiceAt<RestoreFileUsage>(index) ? index : -1);
                break;
            }
        }
    }
}

// Reads every entry the text holds over the record; a field whose entry is missing, cut short
// or unreadable keeps its value.
template <typename Record>
void readFields(const SettingsReader& reader, Record& record,
                std::span<const SettingsField<Record>> fields) {
    using namespace field_codec;
    for (const SettingsField<Record>& f : fields) {
        switch (f.kind) {
            case FieldKind::Boolean:
                reader.readBoolean(f.key, get<bool>(record, f.member));
                break;
            case FieldKind::String:
                reader.readString(f.key, get<std::string>(record, f.member));
                break;
            case FieldKind::Position:
                readPosition(reader, f.key, get<std::optional<Position>>(record, f.member),
                             kChoiceCount<Position>);
                break;
            case FieldKind::CounterPosition:
                readPosition(reader, f.key, get<std::optional<Position>>(record, f.member),
                             kCounterPositions);
                break;
            case FieldKind::DigitCount:
                // The digit is the count of digits; a count the list does not hold selects
                // nothing.
                if (const auto digits = reader.digitOf(f.key)) {
                    get<int>(record, f.member) =
                        *digits >= 1 && *digits <= kDigitCounts ? *digits - 1 : -1;
                }
                break;
            case FieldKind::WideDigitCount:
                // Any other digit leaves the count renset.ini gave.
                if (const auto digits = reader.digitOf(f.key);
                    digits && *digits > kDigitCounts && *digits <= kWideDigitCounts) {
                    get<int>(record, f.member) = *digits - 1;
                }
                break;
            case FieldKind::CaseScopeDigit:
                if (const auto digit = reader.digitOf(f.key)) {
                    CaseScope& scope = get<CaseScope>(record, f.member);
                    scope = choiceAt<CaseScope>(*digit).value_or(scope);
                }
                break;
            case FieldKind::SortWord: {
                std::optional<SortKey>& key = get<std::optional<SortKey>>(record, f.member);
                int index = indexOf(key);
                reader.readSortWord(f.key, index);
                key = choiceAt<SortKey>(index);
                break;
            }
            case FieldKind::UsageDigit:
                if (const auto usage = reader.digitOf(f.key)) {
                    get<RestoreFileUsage>(record, f.member) =
                        choiceAt<RestoreFileUsage>(*usage).value_or(RestoreFileUsage::Create);
                }
                break;
        }
    }
}

// The keys of the file, which no string of it may hold.
template <typename Record>
std::vector<std::string_view> keysOf(std::span<const SettingsField<Record>> fields) {
    std::vector<std::string_view> keys;
    keys.reserve(fields.size());
    for (const SettingsField<Record>& f : fields) {
        keys.push_back(f.key);
    }
    return keys;
}

// The record's strings with their labels, in the order of the file.
template <typename Record>
std::vector<StringField> stringsOf(const Record& record,
                                   std::span<const SettingsField<Record>> fields) {
    std::vector<StringField> strings;
    for (const SettingsField<Record>& f : fields) {
        if (f.kind == FieldKind::String) {
            strings.push_back({f.label, field_codec::get<std::string>(record, f.member)});
        }
    }
    return strings;
}

}  // namespace nameshift::settings
