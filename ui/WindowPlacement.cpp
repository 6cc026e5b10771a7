#include "ui/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace nameshift::ui {

void placeWindow(QWidget& window, const QWidget* parent) {
    const bool parentShown = parent != nullptr && parent->isVisible();
    QScreen* screen = parentShown ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QRect available = screen->availableGeometry();
    // Room for the frame the window manager adds around the window.
    const QSize room = available.size() - QSize(16, 48);
    window.resize(window.size().boundedTo(room).expandedTo(window.minimumSize()));
    QRect placed(QPoint(0, 0), window.size());
    placed.moveCenter(parentShown ? parent->frameGeometry().center() : available.center());
    placed.moveLeft(std::clamp(placed.left(), available.left(),
                               std::max(available.left(), available.right() - placed.width())));
    placed.moveTop(std::clamp(placed.top(), available.top(),
                              std::max(available.top(), available.bottom() - placed.height())));
    window.move(placed.topLeft());
}

QString breakLongWords(const QString& text, int longest) {
    QString broken;
    broken.reserve(text.size() + text.size() / longest);
    int run = 0;
    for (const QChar character : text) {
        if (character.isSpace()) {
            run = 0;
        } else if (++run > longest) {
            broken += QChar(0x200B);  // zero width space: a place to wrap, nothing to see
            run = 1;
        }
        broken += character;
    }
    return broken;
}

}  // namespace nameshift::ui
