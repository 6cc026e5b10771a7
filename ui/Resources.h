#pragma once

namespace nameshift::ui {

// Makes the program's pictures (icons, logo, splash) available under ":/". The ui library is
// static, so its compiled-in pictures need this call; it is cheap and safe to repeat.
void loadResources();

}  // namespace nameshift::ui
