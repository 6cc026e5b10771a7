#pragma once

#include <QLabel>
#include <QString>

namespace nameshift::ui {

// A line of text that, when it does not fit the label's width, is cut short with "…" and shown
// whole as the tooltip. It is fitted again whenever the label is shown or resized.
class ElidedLabel : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

    void setFullText(const QString& text);
    const QString& fullText() const { return fullText_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void elide();

    QString fullText_;
};

}  // namespace nameshift::ui
