#include "ui/DisplayText.h"

#include <QUtf8StringView>

namespace nameshift::ui {
namespace {

bool isControl(unsigned char byte) {
    return byte < 0x20 || byte == 0x7F;
}

// The length of the UTF-8 character its lead byte announces; 0 for a byte that leads none.
std::size_t announcedLength(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return 2;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 3;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        return 4;
    }
    return 0;
}

QString escapedName(std::string_view bytes) {
    QString shown;
    shown.reserve(static_cast<qsizetype>(bytes.size()));
    std::size_t at = 0;
    while (at < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[at]);
        if (isControl(lead)) {
            // The Control Pictures block: U+2400 onwards for 0x00 to 0x1F, U+2421 for DEL.
            shown += QChar(lead == 0x7F ? 0x2421 : 0x2400 + lead);
            ++at;
            continue;
        }
        const std::size_t length = announcedLength(lead);
        const std::string_view character = bytes.substr(at, length);
        if (length > 0 && character.size() == length &&
            QUtf8StringView(character.data(), static_cast<qsizetype>(length)).isValidUtf8()) {
            shown += QString::fromUtf8(character.data(), static_cast<qsizetype>(length));
            at += length;
            continue;
        }
        shown += QStringLiteral("\\x") +
                 QString::number(lead, 16).toUpper().rightJustified(2, QLatin1Char('0'));
        ++at;
    }
    return shown;
}

}  // namespace

QString visibleName(std::string_view bytes) {
    for (const char byte : bytes) {
        if (isControl(static_cast<unsigned char>(byte))) {
            return escapedName(bytes);
        }
    }
    const QUtf8StringView text(bytes.data(), static_cast<qsizetype>(bytes.size()));
    if (!text.isValidUtf8()) {
        return escapedName(bytes);
    }
    return text.toString();
}

}  // namespace nameshift::ui
