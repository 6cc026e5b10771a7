#pragma once

#include <QString>

class QWidget;

namespace nameshift::ui {

// Makes `window` fit the available area of the screen it opens on and centres it on `parent`
// when that is shown, else on the screen, where the start-up picture stands.
void placeWindow(QWidget& window, const QWidget* parent);

// Keeps `window` with its frame on the available area of its screen after it grew: no larger than
// that area, and moved up or left as far as it reaches past the bottom or the right.
void keepOnScreen(QWidget& window);

// `text` with a break opportunity in every run of more than `longest` characters without a
// blank, so that a long file name wraps instead of widening its message box past the screen.
QString breakLongWords(const QString& text, int longest = 60);

}  // namespace nameshift::ui
