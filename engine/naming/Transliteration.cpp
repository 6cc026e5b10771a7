#include "engine/naming/Transliteration.h"

#include "engine/naming/Utf8Text.h"

namespace nameshift::engine {

Transliteration::Transliteration(const char* rules) {
    UErrorCode status = U_ZERO_ERROR;
    transliterator_.reset(icu::Transliterator::createInstance(icu::UnicodeString::fromUTF8(rules),
                                                              UTRANS_FORWARD, status));
    if (U_FAILURE(status)) {
        transliterator_.reset();
    }
}

Transliteration Transliteration::withoutAccents() {
    return Transliteration("NFD; [:Nonspacing Mark:] Remove; NFC");
}

Transliteration Transliteration::latinOnly() {
    return Transliteration("Any-Latin; Latin-ASCII");
}

void Transliteration::apply(std::string& name) const {
    if (!transliterator_) {
        return;
    }
    std::optional<icu::UnicodeString> decoded = text::decodeUtf8(name);
    if (!decoded) {
        return;
    }
    transliterator_->transliterate(*decoded);
    name = text::encodeUtf8(*decoded);
}

}  // namespace nameshift::engine
