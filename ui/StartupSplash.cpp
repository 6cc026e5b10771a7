#include "ui/StartupSplash.h"

#include <QEventLoop>
#include <QIcon>
#include <QPainter>
#include <QTimer>

namespace nameshift::ui {
namespace {

QPixmap splashPicture() {
    QPixmap picture = QIcon(QStringLiteral(":/splash.svg")).pixmap(QSize(420, 240));
    // The picture holds no words of its own, so that they are said in the user's language.
    QPainter painter(&picture);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(13);
    painter.setFont(font);
    painter.setPen(QColor(0xd6, 0xe2, 0xef));
    painter.drawText(QPointF(150, 184), StartupSplash::tr("Batch file renamer"));
    font.setPixelSize(11);
    painter.setFont(font);
    painter.setPen(QColor(0x9f, 0xbb, 0xd8));
    painter.drawText(QPointF(16, 226), StartupSplash::tr("Loading…"));
    return picture;
}

}  // namespace

// Not kept on top: the start-up messages about missing settings files must show above it.
StartupSplash::StartupSplash() : QSplashScreen(splashPicture()) {}

void StartupSplash::showAndWait(int milliseconds) {
    show();
    repaint();
    // Only painting goes on meanwhile: the window behind is not shown yet and takes no input.
    QEventLoop wait;
    QTimer::singleShot(milliseconds, &wait, &QEventLoop::quit);
    wait.exec(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace nameshift::ui
