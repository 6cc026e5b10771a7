#include "ui/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace nameshift::ui {
namespace {

// Room for the frame the window manager adds around the window, until it is known.
const QSize kFrameGuess(16, 48);

QRect availableArea(const QWidget& window) {
    const QScreen* screen = window.screen();
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    return screen != nullptr ? screen->availableGeometry() : QRect();
}

}  // namespace

void placeWindow(QWidget& window, const QWidget* parent) {
    const bool parentShown = parent != nullptr && parent->isVisible();
    QScreen* screen = parentShown ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QRect available = screen->availableGeometry();
    const QSize room = available.size() - kFrameGuess;
    window.resize(window.size().boundedTo(room).expandedTo(window.minimumSize()));
    QRect placed(QPoint(0, 0), window.size());
    placed.moveCenter(parentShown ? parent->frameGeometry().center() : available.center());
    placed.moveLeft(std::clamp(placed.left(), available.left(),
                               std::max(available.left(), available.right() - placed.width())));
    placed.moveTop(std::clamp(placed.top(), available.top(),
                              std::max(available.top(), available.bottom() - placed.height())));
    window.move(placed.topLeft());
}

void keepOnScreen(QWidget& window) {
    const QRect available = availableArea(window);
    if (available.isEmpty()) {
        return;
    }
    const QRect framed = window.frameGeometry();
    QSize frame = framed.size() - window.size();
    if (!window.isVisible() || frame.isEmpty()) {
        frame = kFrameGuess;
    }
    window.resize(
        window.size().boundedTo(available.size() - frame).expandedTo(window.minimumSize()));
    const QSize outer = window.size() + frame;
    const int left = std::clamp(framed.left(), available.left(),
                                std::max(available.left(), available.right() + 1 - outer.width()));
    const int top = std::clamp(framed.top(), available.top(),
                               std::max(available.top(), available.bottom() + 1 - outer.height()));
    if (QPoint(left, top) != framed.topLeft()) {
        window.move(left, top);
    }
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
