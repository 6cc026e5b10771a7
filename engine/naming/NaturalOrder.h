#pragma once

#include <unicode/coll.h>

#include <memory>
#include <string>
#include <string_view>

namespace nameshift::engine {

// The order of names a reader expects: runs of digits compare by their value, so "file2" comes
// before "file10", and letters compare as the root locale's collation has them, case after
// letter. Made once per sort, as a collator is costly to open.
class NaturalOrder {
public:
    NaturalOrder();

    // Adds a key for `name` whose bytes order as the name does. A name that is not valid UTF-8 is
    // keyed with its bad bytes as replacement characters; the caller's tie on the name's bytes
    // keeps the order fixed.
    void appendKey(std::string& out, std::string_view name) const;

private:
    std::unique_ptr<icu::Collator> collator_;  // none when ICU has no root collation
};

}  // namespace nameshift::engine
