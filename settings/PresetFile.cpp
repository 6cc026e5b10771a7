#include "settings/PresetFile.h"

#include <algorithm>
#include <array>
#include <optional>

#include "settings/MoreRuleFields.h"
#include "settings/RenameSettingsFile.h"
#include "settings/SettingsReader.h"
#include "settings/SettingsWriter.h"

namespace nameshift::settings {
namespace {

using R = RenameSettings;

constexpr std::string_view kTitle = "= Nameshift Pro Preset File                      =";
static_assert(kTitle.size() == kBannerWidth);

// The counter pads to at most six digits.
constexpr int kMostDigits = 6;

bool isRule(const SettingsField<R>& field) {
    const std::array<FieldMember<R>, 6> listing = {&R::attributeArchive,  &R::attributeHidden,
                                                   &R::attributeReadOnly, &R::attributeSystem,
                                                   &R::sortKey,           &R::counterDigitsIndex};
    return std::find(listing.begin(), listing.end(), field.member) == listing.end();
}

std::vector<SettingsField<R>> collectTableFields() {
    std::vector<SettingsField<R>> fields;
    for (const SettingsField<R>& field : renameSettingsFields()) {
        if (isRule(field)) {
            fields.push_back(field);
        }
    }
    const auto more = moreRuleFields();
    fields.insert(fields.end(), more.begin(), more.end());
    return fields;
}

}  // namespace

std::span<const SettingsField<R>> PresetFile::tableFields() {
    static const std::vector<SettingsField<R>> fields = collectTableFields();
    return fields;
}

std::string_view PresetFile::digitCountKey() {
    const auto fields = renameSettingsFields();
    return std::find_if(
               fields.begin(), fields.end(),
               [](const SettingsField<R>& field) { return field.kind == FieldKind::DigitCount; })
        ->key;
}

std::string PresetFile::format(const RenameSettings& rules) {
    SettingsWriter writer(kTitle);
    writeFields<R>(writer, rules, tableFields());
    const int index = rules.counterDigitsIndex;
    writer.addDigit(digitCountKey(), index >= 0 && index < kMostDigits ? index + 1 : -1);
    writer.addDigit(kCaseScopeKey, indexOf(rules.caseScope));
    return writer.text();
}

RenameSettings PresetFile::parse(std::string_view text, RenameSettings current) {
    const SettingsReader reader(text);
    readFields<R>(reader, current, tableFields());
    if (const std::optional<int> digits = reader.digitOf(digitCountKey())) {
        current.counterDigitsIndex = *digits >= 1 && *digits <= kMostDigits ? *digits - 1 : -1;
    }
    if (const std::optional<int> scope = reader.digitOf(kCaseScopeKey)) {
        current.caseScope = choiceAt<CaseScope>(*scope).value_or(current.caseScope);
    }
    return current;
}

std::vector<std::string_view> PresetFile::keys() {
    std::vector<std::string_view> keys = keysOf<R>(tableFields());
    keys.push_back(digitCountKey());
    keys.push_back(kCaseScopeKey);
    return keys;
}

std::vector<StringField> PresetFile::strings(const RenameSettings& rules) {
    return stringsOf<R>(rules, tableFields());
}

}  // namespace nameshift::settings
