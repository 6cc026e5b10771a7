#include "settings/PresetFile.h"

#include <algorithm>
#include <array>

#include "settings/MoreRulesFile.h"
#include "settings/RenameSettingsFile.h"
#include "settings/SettingsReader.h"
#include "settings/SettingsWriter.h"

namespace nameshift::settings {
namespace {

using R = RenameSettings;

constexpr std::string_view kTitle = "= Nameshift Pro Preset File                      =";
static_assert(kTitle.size() == kBannerWidth);

bool isRule(const SettingsField<R>& field) {
    const std::array<FieldMember<R>, 6> listing = {&R::attributeArchive,  &R::attributeHidden,
                                                   &R::attributeReadOnly, &R::attributeSystem,
                                                   &R::attributeFolders,  &R::sortKey};
    return std::find(listing.begin(), listing.end(), field.member) == listing.end();
}

// renset.ini's rules, then morerules.ini's entries, which carry a counter wider than renset.ini
// can spell over its digit count.
std::vector<SettingsField<R>> collectTableFields() {
    std::vector<SettingsField<R>> fields;
    for (const SettingsField<R>& field : renameSettingsFields()) {
        if (isRule(field)) {
            fields.push_back(field);
        }
    }
    for (const SettingsField<R>& field : moreRulesFields()) {
        if (!field.programOption) {
            fields.push_back(field);
        }
    }
    return fields;
}

}  // namespace

std::span<const SettingsField<R>> PresetFile::tableFields() {
    static const std::vector<SettingsField<R>> fields = collectTableFields();
    return fields;
}

std::string PresetFile::format(const RenameSettings& rules) {
    SettingsWriter writer(kTitle);
    writeFields<R>(writer, rules, tableFields());
    return writer.text();
}

RenameSettings PresetFile::parse(std::string_view text, RenameSettings current) {
    readFields<R>(SettingsReader(text), current, tableFields());
    return current;
}

std::vector<std::string_view> PresetFile::keys() {
    return keysOf<R>(tableFields());
}

std::vector<StringField> PresetFile::strings(const RenameSettings& rules) {
    return stringsOf<R>(rules, tableFields());
}

}  // namespace nameshift::settings
