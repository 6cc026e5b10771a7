#pragma once

#include <QScrollArea>
#include <QSize>

namespace nameshift::ui {

// A scroll area that asks for room to show its widget whole, and scrolls it only when the window
// is too small for that: the window opens as it would without the area, yet still fits a small
// screen when the widget grows.
class FittingScrollArea : public QScrollArea {
    Q_OBJECT

public:
    explicit FittingScrollArea(QWidget* parent = nullptr);

    // The area is never lower than this, so that the widget as it first shows needs no scrolling;
    // only what it grows by later may need it.
    void setLeastHeight(int height) { leastHeight_ = height; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // Makes the window tall enough to show the widget whole, as far as its screen allows, after
    // the widget has grown; gives back the height it took once the widget shrinks again.
    void fitWindowToWidget();

private:
    int leastHeight_ = 0;
    int heightBeforeGrowing_ = -1;
    int grownHeight_ = -1;
};

}  // namespace nameshift::ui
