#pragma once

#include <QSplashScreen>

namespace nameshift::ui {

// The picture shown while the program reads its settings at start-up, with its words in the
// user's language.
class StartupSplash : public QSplashScreen {
    Q_OBJECT

public:
    StartupSplash();

    // Shows the picture and waits `milliseconds` before returning; it stays until closed.
    void showAndWait(int milliseconds);
};

}  // namespace nameshift::ui
