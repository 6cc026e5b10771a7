#include "ui/TagCodeLegend.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>

#include <array>
#include <ctime>

#include "engine/naming/FileDateText.h"
#include "settings/RenameSettings.h"
#include "settings/TagNamingOptions.h"
#include "ui/DisplayText.h"
#include "ui/TagFieldLists.h"

namespace nameshift::ui {
namespace {

// The tag the example result is built from, in code order: "%1" is the album title. The words
// are shown in the user's language.
constexpr std::array<const char*, 9> kExampleValues = {
    QT_TRANSLATE_NOOP("nameshift::ui::TagNamingOptionsDialog", "Sample Album"),
    QT_TRANSLATE_NOOP("nameshift::ui::TagNamingOptionsDialog", "Sample Artist"),
    QT_TRANSLATE_NOOP("nameshift::ui::TagNamingOptionsDialog", "Rock"),
    QT_TRANSLATE_NOOP("nameshift::ui::TagNamingOptionsDialog", "Sample Track"),
    "03",
    "1994",
    QT_TRANSLATE_NOOP("nameshift::ui::TagNamingOptionsDialog", "Sample Band"),
    "1",
    QT_TRANSLATE_NOOP("nameshift::ui::TagNamingOptionsDialog", "Sample Composer")};

// The codes after the tag frames ID3Opts.ini names, in the order the legend shows them.
struct LaterCode {
    char code;
    const char* entry;  // the code and what it stands for, as the legend shows them
};
constexpr std::array<LaterCode, 9> kLaterCodes = {{
    {'7', QT_TRANSLATE_NOOP("nameshift::ui::TagNamingOptionsDialog", "%7 - Album Artist")},
    {'8', QT_TRANSLATE_NOOP("nameshift::ui::TagNamingOptionsDialog", "%8 - Disc Number")},
    {'9', QT_TRANSLATE_NOOP("nameshift::ui::TagNamingOptionsDialog", "%9 - Composer")},
    {'m', QT_TRANSLATE_NOOP("nameshift::ui::TagNamingOptionsDialog", "%m - Date Modified")},
    {'b', QT_TRANSLATE_NOOP("nameshift::ui::TagNamingOptionsDialog", "%b - Date Created")},
    {'t', QT_TRANSLATE_NOOP("nameshift::ui::TagNamingOptionsDialog", "%t - Date Taken")},
    {'c', QT_TRANSLATE_NOOP("nameshift::ui::TagNamingOptionsDialog", "%c - Camera")},
    {'x', QT_TRANSLATE_NOOP("nameshift::ui::TagNamingOptionsDialog", "%x - Pixel Size")},
    {'d', QT_TRANSLATE_NOOP("nameshift::ui::TagNamingOptionsDialog", "%d - Duration")},
}};

// The date the example spells for each date code, in the default date format.
std::string exampleDate() {
    std::tm date{};
    date.tm_year = 2026 - 1900;
    date.tm_mon = 6;
    date.tm_mday = 14;
    date.tm_hour = 18;
    date.tm_min = 3;
    date.tm_sec = 55;
    date.tm_wday = 2;
    date.tm_yday = 194;
    return engine::fileDateText(date, settings::kDefaultDateFormat).value_or(std::string());
}

}  // namespace

std::string exampleTagResult(std::string_view format) {
    std::string result;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char code = i + 1 < format.size() ? format[i + 1] : '\0';
        if (format[i] == '%' && code >= '1' && code <= '9') {
            result += bytesOf(
                QCoreApplication::translate("nameshift::ui::TagNamingOptionsDialog",
                                            kExampleValues[static_cast<std::size_t>(code - '1')]));
            ++i;
        } else if (format[i] == '%' && (code == 'm' || code == 'b' || code == 't')) {
            result += exampleDate();
            ++i;
        } else if (format[i] == '%' && (code == 'c' || code == 'x' || code == 'd')) {
            // A camera's model, a phone photo's size and a song's length as the codes spell them.
            result += code == 'c' ? "Canon EOS 80D" : code == 'x' ? "4032x3024" : "3.25";
            ++i;
        } else {
            result += format[i];
        }
    }
    return result;
}

TagCodeLegend::TagCodeLegend(QWidget* parent)
    : QGroupBox(QCoreApplication::translate("nameshift::ui::TagNamingOptionsDialog", "Legend"),
                parent) {
    auto* legendLayout = new QGridLayout(this);
    for (int code = 0; code < static_cast<int>(settings::kFrameNames.size()); ++code) {
        auto* entry =
            new QLabel(QLatin1Char('%') + QString::number(code + 1) + QStringLiteral(" - ") +
                           shownFrameName(settings::kFrameNames[static_cast<std::size_t>(code)]),
                       this);
        entry->setObjectName(QStringLiteral("legend%1").arg(code + 1));
        legendLayout->addWidget(entry, code % 3, code / 3);
    }
    int column = static_cast<int>(settings::kFrameNames.size()) / 3;
    int row = 0;
    for (const LaterCode& later : kLaterCodes) {
        auto* entry = new QLabel(
            QCoreApplication::translate("nameshift::ui::TagNamingOptionsDialog", later.entry),
            this);
        entry->setObjectName(QStringLiteral("legend") + QLatin1Char(later.code));
        legendLayout->addWidget(entry, row, column);
        if (++row == 3) {
            row = 0;
            ++column;
        }
    }
}

}  // namespace nameshift::ui
