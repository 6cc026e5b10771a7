#include "ui/widgets/ElidedLabel.h"

#include <QFontMetrics>

namespace nameshift::ui {

void ElidedLabel::setFullText(const QString& text) {
    fullText_ = text;
    elide();
}

void ElidedLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    elide();
}

void ElidedLabel::showEvent(QShowEvent* event) {
    QLabel::showEvent(event);
    elide();
}

void ElidedLabel::elide() {
    // Before the label is shown it has no width of its own to fit.
    const QString shown =
        isVisible() ? fontMetrics().elidedText(fullText_, Qt::ElideRight, width()) : fullText_;
    setText(shown);
    setToolTip(shown == fullText_ ? QString() : fullText_);
}

}  // namespace nameshift::ui
