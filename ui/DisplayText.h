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

inline std::string bytesOf(const QString& text) {
    return QFile::encodeName(text).toStdString();
}

inline QByteArray byteArrayOf(std::string_view bytes) {
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

}  // namespace nameshift::ui
