#include "engine/naming/NaturalOrder.h"

#include <cstdint>
#include <vector>

namespace nameshift::engine {

NaturalOrder::NaturalOrder() {
    UErrorCode status = U_ZERO_ERROR;
    collator_.reset(icu::Collator::createInstance(icu::Locale::getRoot(), status));
    if (U_SUCCESS(status)) {
        collator_->setAttribute(UCOL_NUMERIC_COLLATION, UCOL_ON, status);
    }
    if (U_FAILURE(status)) {
        collator_.reset();
    }
}

void NaturalOrder::appendKey(std::string& out, std::string_view name) const {
    if (!collator_) {
        out.append(name);
        return;
    }
    const icu::UnicodeString text = icu::UnicodeString::fromUTF8(
        icu::StringPiece(name.data(), static_cast<int32_t>(name.size())));
    std::uint8_t buffer[256];
    int32_t length = collator_->getSortKey(text, buffer, sizeof buffer);
    if (length <= static_cast<int32_t>(sizeof buffer)) {
        // The key ends with a zero byte, which the keys compared as texts do not need.
        out.append(reinterpret_cast<const char*>(buffer), static_cast<std::size_t>(length - 1));
        return;
    }
    std::vector<std::uint8_t> large(static_cast<std::size_t>(length));
    length = collator_->getSortKey(text, large.data(), length);
    out.append(reinterpret_cast<const char*>(large.data()), static_cast<std::size_t>(length - 1));
}

}  // namespace nameshift::engine
