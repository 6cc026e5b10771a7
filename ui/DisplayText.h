#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <string>
#include <string_view>

namespace nameshift::ui {

// File names and message texts are bytes; the widgets show them decoded the way the system
// decodes file names, and what the user types goes back as those bytes.
inline QString displayText(std::string_view bytes) {
    return QFile::decodeName(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

// A file name as the user can tell it apart from every other: control characters (a newline, a
// tab) as the symbols that picture them, and each byte that is no part of a UTF-8 character as
// "\xNN". For showing only: the name's bytes are kept elsewhere.
QString visibleName(std::string_view bytes);

inline std::string bytesOf(const QString& text) {
    return QFile::encodeName(text).toStdString();
}

inline QByteArray byteArrayOf(std::string_view bytes) {
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

}  // namespace nameshift::ui
