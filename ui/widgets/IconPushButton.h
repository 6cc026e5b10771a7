#pragma once

#include <QColor>
#include <QIcon>
#include <QPushButton>
#include <QString>

namespace nameshift::ui {

// The push button of every dialog of the program: flat, with an icon beside or above its caption.
// It shows no border at rest, a raised border while the pointer is over it and a sunken one while
// pressed (or checked, for a push-like toggle), and can show another icon while hovered. The hover
// look is only given while the program owns the active window.
class IconPushButton : public QPushButton {
    Q_OBJECT

public:
    enum class IconAlignment { LeftOfText = 0, AboveText = 1 };
    enum class Border { None, Raised, Sunken, Framed, RaisedDouble };

    explicit IconPushButton(QWidget* parent = nullptr);
    explicit IconPushButton(const QString& text, QWidget* parent = nullptr);

    // Loads icon files (usually ":/icons/....svg") at their own size. Without a normal icon the
    // hover icon is shown in every state. An empty hover file removes the icons.
    void setIcons(const QString& hoverIconFile, const QString& normalIconFile = QString());
    // The same for icons made elsewhere, drawn at `size`.
    void setIcons(const QIcon& hoverIcon, const QIcon& normalIcon, QSize size);
    const QIcon& hoverIcon() const { return hoverIcon_; }
    const QIcon& normalIcon() const { return normalIcon_; }
    // The icon the button paints in its present state.
    const QIcon& shownIcon() const;

    void setIconAlignment(IconAlignment alignment, bool repaint = true);
    IconAlignment iconAlignment() const { return iconAlignment_; }
    // Whether a flat button draws its border while hovered or pressed.
    void setDrawBorder(bool drawBorder, bool repaint = true);
    bool drawBorder() const { return drawBorder_; }
    void setShowText(bool showText, bool repaint = true);
    bool showText() const { return showText_; }
    // Whether a flat button draws the focus rectangle too.
    void setFlatFocus(bool flatFocus, bool repaint = true);
    bool flatFocus() const { return flatFocus_; }
    // A transparent button lets its parent show through instead of filling its background.
    void setTransparent(bool transparent, bool repaint = true);
    bool isTransparent() const { return transparent_; }

    // Colours at rest (inactive) and while hovered or pressed (active). An invalid colour means
    // the palette's button colours, which is what a new button uses.
    void setInactiveBackgroundColor(const QColor& color, bool repaint = true);
    void setInactiveTextColor(const QColor& color, bool repaint = true);
    void setActiveBackgroundColor(const QColor& color, bool repaint = true);
    void setActiveTextColor(const QColor& color, bool repaint = true);

    bool isHovered() const { return hovered_; }
    // The border the button paints in its present state.
    Border border() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void setHovered(bool hovered);
    bool mayHover() const;
    bool looksPressed() const;
    QString shownText() const;
    void redrawIf(bool repaint);
    void paintBorder(QPainter& painter, const QRect& area) const;

    QIcon hoverIcon_;
    QIcon normalIcon_;
    IconAlignment iconAlignment_ = IconAlignment::LeftOfText;
    bool drawBorder_ = true;
    bool showText_ = true;
    bool flatFocus_ = false;
    bool transparent_ = false;
    bool hovered_ = false;
    // The last focus came from Tab, Backtab or a shortcut.
    bool keyboardFocus_ = false;
    QColor inactiveBackground_;
    QColor inactiveText_;
    QColor activeBackground_;
    QColor activeText_;
};

// A named button of a dialog's own, with its tool tip, that Enter does not press.
IconPushButton* makeDialogButton(const QString& text, const QString& name, const QString& toolTip,
                                 QWidget* parent);

}  // namespace nameshift::ui
