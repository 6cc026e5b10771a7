#include "engine/naming/TagNaming.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cstddef>
#include <tuple>
#include <utility>

#include "engine/naming/FileDateText.h"
#include "settings/InvalidCharacters.h"

namespace nameshift::engine {
namespace {

using settings::Id3RenameMode;

constexpr std::size_t kTokenCount = std::tuple_size_v<TagTexts>;
using TokenSet = std::bitset<kTokenCount>;

// The code at `pos` as an index into TagTexts, or kTokenCount when there is none.
std::size_t tokenAt(const std::string& text, std::size_t pos) {
    if (text[pos] != '%' || pos + 1 >= text.size()) {
        return kTokenCount;
    }
    const char code = text[pos + 1];
    if (code == 'm') {
        return kModifiedText;
    }
    if (code == 'b') {
        return kBornText;
    }
    if (code == 't') {
        return kTakenText;
    }
    if (code == 'c') {
        return kCameraText;
    }
    if (code == 'x') {
        return kPixelSizeText;
    }
    if (code == 'd') {
        return kDurationText;
    }
    if (code < '1' || code > '0' + static_cast<int>(kTagTextCount)) {
        return kTokenCount;
    }
    return static_cast<std::size_t>(code - '1');
}

bool needsTags(const TokenSet& required) {
    for (std::size_t token = 0; token < kTagTextCount; ++token) {
        if (required.test(token)) {
            return true;
        }
    }
    return false;
}

// The texts of the file at `path` that the format names: the tags only when it names one, the
// dates only when it names one, each spelt by `dateFormat`.
TagTexts readTexts(TagReader& tags, const std::string& path, const TokenSet& required,
                   const std::string& dateFormat) {
    TagTexts texts = needsTags(required) ? tags.read(path) : TagTexts{};
    if (required.test(kModifiedText) || required.test(kBornText)) {
        const FileTimes times = tags.times(path);
        if (times.modified && required.test(kModifiedText)) {
            texts[kModifiedText] = fileDateText(*times.modified, dateFormat);
        }
        if (times.born && required.test(kBornText)) {
            texts[kBornText] = fileDateText(*times.born, dateFormat);
        }
    }
    // Looking into a file for a camera's date costs more than a tag: only a format that names it
    // pays for it.
    if (required.test(kTakenText)) {
        if (const std::optional<std::tm> taken = tags.taken(path)) {
            texts[kTakenText] = fileDateText(*taken, dateFormat);
        }
    }
    // A song's length is read from its audio, which its tags alone never need.
    constexpr std::array<std::pair<std::size_t, MediaFact>, 3> kFacts = {{
        {kCameraText, MediaFact::Camera},
        {kPixelSizeText, MediaFact::PixelSize},
        {kDurationText, MediaFact::Duration},
    }};
    for (const auto& [token, fact] : kFacts) {
        if (required.test(token)) {
            texts[token] = tags.fact(path, fact);
        }
    }
    return texts;
}

TokenSet tokensIn(const std::string& format) {
    TokenSet tokens;
    for (std::size_t pos = 0; pos < format.size(); ++pos) {
        const std::size_t token = tokenAt(format, pos);
        if (token < kTokenCount) {
            tokens.set(token);
            ++pos;
        }
    }
    return tokens;
}

bool hasEveryFrame(const TokenSet& required, const TagTexts& tags) {
    for (std::size_t token = 0; token < kTokenCount; ++token) {
        if (required.test(token) && !tags[token].has_value()) {
            return false;
        }
    }
    return true;
}

bool hasAnyFrame(const TokenSet& required, const TagTexts& tags) {
    for (std::size_t token = 0; token < kTokenCount; ++token) {
        if (required.test(token) && tags[token].has_value()) {
            return true;
        }
    }
    return false;
}

std::string extensionWithDot(const std::string& name) {
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot);
}

std::string joinPath(const std::string& directory, std::string_view name) {
    if (directory.empty()) {
        return std::string(name);
    }
    if (directory.back() == '/') {
        return directory + std::string(name);
    }
    return directory + '/' + std::string(name);
}

}  // namespace

std::string buildTagName(const std::string& format, const TagTexts& tags) {
    // A code whose frame is missing is dropped with the text that ties it into the name, so that
    // "%1 - %4" without an album reads "Title", not " - Title". The text before the first code
    // and after the last goes with that code: it is most often a bracket or a label of it, as in
    // "[%6] %2 - %4". Between two codes that stay, the text just before the later one joins
    // them. A frame present with empty text stays, and so does the text around it.
    std::string name;
    name.reserve(format.size());
    std::string text;  // the text since the last code
    bool seenCode = false;
    bool keptCode = false;
    bool lastKept = false;
    std::size_t pos = 0;
    while (pos < format.size()) {
        const std::size_t token = tokenAt(format, pos);
        if (token >= kTokenCount) {
            text += format[pos];
            ++pos;
            continue;
        }
        lastKept = tags[token].has_value();
        if (lastKept) {
            if (!seenCode || keptCode) {
                name += text;
            }
            name += *tags[token];
            keptCode = true;
        }
        seenCode = true;
        text.clear();
        pos += 2;
    }
    if (!seenCode || lastKept) {
        name += text;
    }
    // Control characters are as unfit for a name as the nine invalid ones: a line break from a
    // tag would split the name across lines of the restore file.
    for (char& c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            c = '-';
        }
    }
    return settings::replaceInvalidCharacters(std::move(name));
}

TagNamer::TagNamer(settings::Id3Naming naming, std::string dateFormat)
    : naming_(std::move(naming)),
      dateFormat_(std::move(dateFormat)),
      required_(tokensIn(naming_.format)) {}

TagName TagNamer::read(TagReader& tags, const std::string& directory, std::string_view name) const {
    const TagTexts texts = readsFiles()
                               ? readTexts(tags, joinPath(directory, name), required_, dateFormat_)
                               : TagTexts{};
    return {buildTagName(naming_.format, texts), hasEveryFrame(required_, texts),
            hasAnyFrame(required_, texts)};
}

void TagNamer::apply(const TagName& tagName, PlannedChange& change) const {
    // Naming by whatever frames are there has nothing to name a file by that holds none of the
    // format's frames, tagless or no MP3 at all: the rules name it, as when frames are missing in
    // the first mode. The mode that keeps incomplete files keeps it.
    if (naming_.renameMode == Id3RenameMode::WhateverIsThere && readsFiles() && !tagName.partial) {
        return;
    }
    std::string& newName = change.newName;
    switch (naming_.renameMode) {
        case Id3RenameMode::AllOrRules:
            if (tagName.complete) {
                newName = tagName.name + extensionWithDot(newName);
            }
            break;
        case Id3RenameMode::AllOrKeep:
            newName = tagName.complete ? tagName.name + extensionWithDot(newName)
                                       : std::string(change.oldName);
            break;
        case Id3RenameMode::WhateverIsThere:
            newName = tagName.name + extensionWithDot(newName);
            break;
    }
}

void applyTagNaming(const settings::Id3Naming& naming, TagReader& tags,
                    const std::string& directory, std::span<PlannedChange> changes,
                    const std::string& dateFormat) {
    const TagNamer namer(naming, dateFormat);
    for (PlannedChange& change : changes) {
        namer.apply(namer.read(tags, directory, change.oldName), change);
    }
}

}  // namespace nameshift::engine
