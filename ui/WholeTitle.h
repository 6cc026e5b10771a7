#pragma once

class QDialog;

namespace nameshift::ui {

// Widens a dialog of few words, a question or a name to type, until the title bar has room for
// its whole title beside its buttons: a window manager cuts a title the window is too narrow for.
void keepTitleWhole(QDialog& dialog);

// The width that title bar needs.
int wholeTitleWidth(const QDialog& dialog);

}  // namespace nameshift::ui
