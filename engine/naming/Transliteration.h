#pragma once

#include <unicode/translit.h>

#include <memory>
#include <string>

namespace nameshift::engine {

// An ICU transform of names, created once for a batch: making one parses its rules, which costs
// far more than using it. A name that is not valid UTF-8 is left as it is.
class Transliteration {
public:
    // "NFD; [:Nonspacing Mark:] Remove; NFC" takes accents off; "Any-Latin; Latin-ASCII" writes
    // every script in plain Latin letters.
    explicit Transliteration(const char* rules);

    static Transliteration withoutAccents();
    static Transliteration latinOnly();

    void apply(std::string& name) const;

private:
    std::unique_ptr<icu::Transliterator> transliterator_;  // none when ICU lacks the transform
};

}  // namespace nameshift::engine
