#include "engine/naming/PositionRules.h"

#include <unicode/brkiter.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "engine/naming/NameRules.h"
#include "engine/naming/Utf8Text.h"

namespace nameshift::engine {
namespace {

// The base name decoded, with the UTF-16 offset of each character boundary, first to last.
struct Characters {
    icu::UnicodeString text;
    std::vector<std::int32_t> boundaries;

    std::size_t count() const { return boundaries.size() - 1; }
};

std::optional<Characters> charactersOf(std::string_view stem) {
    std::optional<icu::UnicodeString> decoded = text::decodeUtf8(stem);
    if (!decoded) {
        return std::nullopt;
    }
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::BreakIterator> breaks(
        icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    if (U_FAILURE(status)) {
        return std::nullopt;
    }
    Characters characters{std::move(*decoded), {}};
    breaks->setText(characters.text);
    for (std::int32_t at = breaks->first(); at != icu::BreakIterator::DONE; at = breaks->next()) {
        characters.boundaries.push_back(at);
    }
    return characters;
}

// The boundary `at` characters from the start, or from the end with `fromEnd`, within the text.
std::size_t boundaryIndex(const Characters& characters, std::size_t at, bool fromEnd) {
    const std::size_t count = characters.count();
    const std::size_t clamped = std::min(at, count);
    return fromEnd ? count - clamped : clamped;
}

}  // namespace

void insertAtCharacter(std::string& name, std::string_view text, std::size_t at, bool fromEnd) {
    NameParts parts = splitName(name);
    std::optional<Characters> characters = charactersOf(parts.stem);
    const std::optional<icu::UnicodeString> inserted = text::decodeUtf8(text);
    if (!characters || !inserted || text.empty()) {
        return;
    }
    const std::int32_t offset = characters->boundaries[boundaryIndex(*characters, at, fromEnd)];
    characters->text.insert(offset, *inserted);
    name = text::encodeUtf8(characters->text) + parts.extensionWithDot;
}

void removeCharacters(std::string& name, std::size_t count, std::size_t at, bool fromEnd) {
    NameParts parts = splitName(name);
    std::optional<Characters> characters = charactersOf(parts.stem);
    if (!characters || count == 0) {
        return;
    }
    // The edge the count starts from, and the count taken towards the other end.
    const std::size_t edge = boundaryIndex(*characters, at, fromEnd);
    const std::size_t first = fromEnd ? edge - std::min(count, edge) : edge;
    const std::size_t last = fromEnd ? edge : edge + std::min(count, characters->count() - edge);
    const std::int32_t start = characters->boundaries[first];
    characters->text.remove(start, characters->boundaries[last] - start);
    name = text::encodeUtf8(characters->text) + parts.extensionWithDot;
}

}  // namespace nameshift::engine
