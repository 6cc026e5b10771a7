#include "ui/FocusFrames.h"

#include <QPainter>
#include <QPen>

#include "ui/ReadableColor.h"

namespace nameshift::ui {

QColor FocusFrames::viewColor() const {
    const QPalette& colors = view_.palette();
    return readableColor(colors.color(QPalette::Highlight), colors.color(QPalette::Base),
                         kContrast);
}

QColor FocusFrames::currentRowColor() const {
    // The colour of the text, which stands out from the selected row and from the rows around it
    // alike; a frame of the selected text's colour would only seem to shrink the row.
    const QPalette& colors = view_.palette();
    return readableColor(colors.color(QPalette::Text), colors.color(QPalette::Highlight),
                         kContrast);
}

void FocusFrames::paint() const {
    QWidget* viewport = view_.viewport();
    QPainter painter(viewport);
    const int width = kWidth;
    const auto frame = [&](const QRect& area, const QColor& color) {
        painter.setPen(QPen(color, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.setBrush(Qt::NoBrush);
        // A pen of even width is drawn across the edge; this keeps it inside the area.
        painter.drawRect(
            QRectF(area).adjusted(width / 2.0, width / 2.0, -width / 2.0, -width / 2.0));
    };
    frame(viewport->rect(), viewColor());
    const QModelIndex current = view_.currentIndex();
    if (current.isValid()) {
        QRect row = view_.visualRect(current);
        row.setLeft(0);
        row.setRight(viewport->width() - 1);
        frame(row.adjusted(width, 0, -width, 0), currentRowColor());
    }
}

}  // namespace nameshift::ui
