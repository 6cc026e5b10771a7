#include "ui/WindowMenu.h"

#include <QCoreApplication>

#include "ui/NameListDialog.h"

namespace nameshift::ui {
namespace {

// The menu's texts are the main window's, and keep their place in its catalogue.
QAction* action(QWidget& window, const char* text) {
    return new QAction(QCoreApplication::translate("nameshift::ui::MainDialog", text), &window);
}

}  // namespace

WindowMenu::WindowMenu(QWidget& window)
    : undo(action(window, QT_TRANSLATE_NOOP("nameshift::ui::MainDialog", "&Undo last batch..."))),
      redo(action(window, QT_TRANSLATE_NOOP("nameshift::ui::MainDialog", "Re&do batch"))),
      history(action(window, QT_TRANSLATE_NOOP("nameshift::ui::MainDialog", "His&tory..."))),
      editNames(new QAction(NameListDialog::editTitle(), &window)),
      importNames(new QAction(NameListDialog::importTitle(), &window)),
      about(action(window,
                   QT_TRANSLATE_NOOP("nameshift::ui::MainDialog", "&About Nameshift Pro..."))) {
    undo->setShortcut(QKeySequence::Undo);
    redo->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    auto* separator = new QAction(&window);
    separator->setSeparator(true);
    for (QAction* shortcut : {undo, redo, history}) {
        shortcut->setShortcutContext(Qt::WindowShortcut);
        window.addAction(shortcut);
    }
    auto* names = new QAction(&window);
    names->setSeparator(true);
    window.addAction(names);
    window.addAction(editNames);
    window.addAction(importNames);
    window.addAction(separator);
    window.addAction(about);
    window.setContextMenuPolicy(Qt::ActionsContextMenu);
}

}  // namespace nameshift::ui
