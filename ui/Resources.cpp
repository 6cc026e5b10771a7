#include "ui/Resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE names a function at global scope, so it may not be used inside a namespace.
static void loadNameshiftResources() {
    Q_INIT_RESOURCE(nameshift);
}

namespace nameshift::ui {

void loadResources() {
    static const bool loaded = [] {
        loadNameshiftResources();
        return true;
    }();
    (void)loaded;
}

}  // namespace nameshift::ui
