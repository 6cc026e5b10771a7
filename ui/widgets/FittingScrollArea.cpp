#include "ui/widgets/FittingScrollArea.h"

#include <QScreen>
#include <QScrollBar>

#include <algorithm>

#include "ui/WindowPlacement.h"

namespace nameshift::ui {

FittingScrollArea::FittingScrollArea(QWidget* parent) : QScrollArea(parent) {
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Sized as the widget would be in its place, not greedy as scroll areas are.
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

QSize FittingScrollArea::sizeHint() const {
    if (widget() == nullptr) {
        return QScrollArea::sizeHint();
    }
    return widget()->sizeHint();
}

QSize FittingScrollArea::minimumSizeHint() const {
    if (widget() == nullptr) {
        return QScrollArea::minimumSizeHint();
    }
    // Never narrower than the widget, beside the scroll bar once the widget has grown beyond what
    // the area always shows.
    const QSize least = widget()->minimumSizeHint();
    const int scrollBar =
        least.height() > leastHeight_ ? verticalScrollBar()->sizeHint().width() : 0;
    return {least.width() + scrollBar,
            std::max(leastHeight_, QScrollArea::minimumSizeHint().height())};
}

void FittingScrollArea::fitWindowToWidget() {
    updateGeometry();
    QWidget* top = window();
    const int wanted = widget() != nullptr ? widget()->sizeHint().height() : 0;
    const int missing = wanted - viewport()->height();
    if (missing > 0) {
        const int frame = top->frameGeometry().height() - top->height();
        const int room = top->screen()->availableGeometry().height() - frame;
        heightBeforeGrowing_ = top->height();
        grownHeight_ = std::max(top->height(), std::min(top->height() + missing, room));
        top->resize(top->width(), grownHeight_);
        // Grown downwards from where it stood, it may reach past the screen: it moves up instead,
        // so that the commands at its bottom stay in view.
        keepOnScreen(*top);
        grownHeight_ = top->height();
    } else if (grownHeight_ == top->height() && heightBeforeGrowing_ >= 0) {
        // Shrunk again in a window the user did not resize since: back to where it was.
        top->resize(top->width(), heightBeforeGrowing_);
        heightBeforeGrowing_ = grownHeight_ = -1;
    }
}

}  // namespace nameshift::ui
