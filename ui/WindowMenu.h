#pragma once

#include <QAction>
#include <QWidget>

namespace nameshift::ui {

// The main window's menu, opened with the right mouse button anywhere in it: the history's
// Ctrl+Z, Ctrl+Shift+Z and list of batches, the ticked files' names as text, and the About box. The
// window owns the actions and connects them to its commands.
class WindowMenu {
public:
    explicit WindowMenu(QWidget& window);

    QAction* undo = nullptr;
    QAction* redo = nullptr;
    QAction* history = nullptr;
    QAction* editNames = nullptr;
    QAction* importNames = nullptr;
    QAction* about = nullptr;
};

}  // namespace nameshift::ui
