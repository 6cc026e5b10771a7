#pragma once

#include <QAbstractItemView>
#include <QColor>

namespace nameshift::ui {

// The frames that show where the keyboard is while a view has the focus: around the view, and
// around its current row. The style marks the focus with a thin line in the colour of the
// selection, which is lost on the selected row and faint on a dark palette: these stand out from
// the view's background and from the row.
class FocusFrames {
public:
    static constexpr int kWidth = 2;

    explicit FocusFrames(const QAbstractItemView& view) : view_(view) {}

    QColor viewColor() const;
    QColor currentRowColor() const;
    // Draws both over what the view painted.
    void paint() const;

private:
    // As the guidelines for accessible colours ask of the parts of a control.
    static constexpr double kContrast = 3.0;

    const QAbstractItemView& view_;
};

}  // namespace nameshift::ui
