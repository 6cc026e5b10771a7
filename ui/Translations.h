#pragma once

#include <QLocale>
#include <QString>

namespace nameshift::ui {

// Loads the program's catalogue from `directory` and Qt's own (the standard buttons of the
// message boxes, the file dialog) for `locale`, and installs both in the application. A language
// without a catalogue leaves the texts in English. Returns whether the program's catalogue was
// found.
bool installTranslations(const QLocale& locale, const QString& directory);

// Where the catalogues lie beside the program: share/nameshift/translations under the
// installation prefix, or under the build tree for a program started from there.
QString translationDirectory();

}  // namespace nameshift::ui
