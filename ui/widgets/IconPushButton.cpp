#include "ui/widgets/IconPushButton.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFocusEvent>
#include <QImageReader>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QSvgRenderer>

#include <algorithm>

#include "ui/Resources.h"

namespace nameshift::ui {
namespace {

// The gap between the edge, the icon and the caption.
constexpr int kIconGap = 3;
// Room around the caption and icon that sizeHint leaves, so the border never touches them.
constexpr int kPadding = 6;

QSize naturalSize(const QString& file) {
    if (file.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        QSvgRenderer renderer(file);
        if (renderer.isValid()) {
            return renderer.defaultSize();
        }
        return {};
    }
    return QImageReader(file).size();
}

}  // namespace

IconPushButton::IconPushButton(QWidget* parent) : IconPushButton(QString(), parent) {}

IconPushButton::IconPushButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
    // Buttons take their icons from the compiled-in pictures, whichever dialog makes them.
    loadResources();
    setFlat(true);
    setMouseTracking(true);
    // Leaving the foreground must drop the hover look even while the pointer stays put.
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state != Qt::ApplicationActive) {
                    setHovered(false);
                }
            });
}

void IconPushButton::setIcons(const QString& hoverIconFile, const QString& normalIconFile) {
    if (hoverIconFile.isEmpty()) {
        setIcons(QIcon(), QIcon(), QSize());
        return;
    }
    const QIcon hover(hoverIconFile);
    const QIcon normal = normalIconFile.isEmpty() ? hover : QIcon(normalIconFile);
    QSize size = naturalSize(hoverIconFile);
    if (!size.isValid()) {
        size = iconSize();
    }
    setIcons(hover, normal, size);
}

void IconPushButton::setIcons(const QIcon& hoverIcon, const QIcon& normalIcon, QSize size) {
    hoverIcon_ = hoverIcon;
    normalIcon_ = normalIcon.isNull() ? hoverIcon : normalIcon;
    if (size.isValid()) {
        setIconSize(size);
    }
    updateGeometry();
    update();
}

const QIcon& IconPushButton::shownIcon() const {
    return hovered_ || looksPressed() ? hoverIcon_ : normalIcon_;
}

void IconPushButton::setIconAlignment(IconAlignment alignment, bool repaint) {
    iconAlignment_ = alignment;
    updateGeometry();
    redrawIf(repaint);
}

void IconPushButton::setDrawBorder(bool drawBorder, bool repaint) {
    drawBorder_ = drawBorder;
    redrawIf(repaint);
}

void IconPushButton::setShowText(bool showText, bool repaint) {
    showText_ = showText;
    updateGeometry();
    redrawIf(repaint);
}

void IconPushButton::setFlatFocus(bool flatFocus, bool repaint) {
    flatFocus_ = flatFocus;
    redrawIf(repaint);
}

void IconPushButton::setTransparent(bool transparent, bool repaint) {
    transparent_ = transparent;
    redrawIf(repaint);
}

void IconPushButton::setInactiveBackgroundColor(const QColor& color, bool repaint) {
    inactiveBackground_ = color;
    redrawIf(repaint);
}

void IconPushButton::setInactiveTextColor(const QColor& color, bool repaint) {
    inactiveText_ = color;
    redrawIf(repaint);
}

void IconPushButton::setActiveBackgroundColor(const QColor& color, bool repaint) {
    activeBackground_ = color;
    redrawIf(repaint);
}

void IconPushButton::setActiveTextColor(const QColor& color, bool repaint) {
    activeText_ = color;
    redrawIf(repaint);
}

IconPushButton::Border IconPushButton::border() const {
    const bool pressed = looksPressed();
    if (!isFlat()) {
        return pressed ? Border::Framed : Border::RaisedDouble;
    }
    if (!drawBorder_) {
        return Border::None;
    }
    if (pressed) {
        return Border::Sunken;
    }
    return hovered_ ? Border::Raised : Border::None;
}

QSize IconPushButton::sizeHint() const {
    const QString caption = shownText();
    const QSize textSize =
        caption.isEmpty() ? QSize(0, 0)
                          : fontMetrics().size(Qt::TextShowMnemonic | Qt::TextSingleLine, caption);
    const QSize icon = hoverIcon_.isNull() ? QSize(0, 0) : iconSize();
    int width = 0;
    int height = 0;
    if (iconAlignment_ == IconAlignment::LeftOfText) {
        width = icon.width() + textSize.width() + (icon.isEmpty() ? 0 : kIconGap);
        height = std::max(icon.height(), textSize.height());
    } else {
        width = std::max(icon.width(), textSize.width());
        height = icon.height() + textSize.height();
    }
    return {width + 2 * (kIconGap + kPadding), height + 2 * kPadding};
}

QSize IconPushButton::minimumSizeHint() const {
    return sizeHint();
}

void IconPushButton::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const bool pressed = looksPressed();
    QRect area = rect();

    if (!isFlat() && (hasFocus() || isDefault())) {
        painter.setPen(Qt::black);
        painter.drawRect(area.adjusted(0, 0, -1, -1));
        area.adjust(1, 1, -1, -1);
    }

    if (!transparent_) {
        const QColor& chosen = hovered_ || pressed ? activeBackground_ : inactiveBackground_;
        painter.fillRect(area, chosen.isValid() ? chosen : palette().color(QPalette::Button));
    }

    paintBorder(painter, area);

    const int shift = pressed ? 1 : 0;
    const QString caption = shownText();
    QRect textArea = area;
    const QIcon& icon = shownIcon();
    if (!icon.isNull()) {
        const QSize size = iconSize();
        QRect iconArea(QPoint(0, 0), size);
        if (iconAlignment_ == IconAlignment::LeftOfText) {
            if (caption.isEmpty()) {
                iconArea.moveCenter(area.center());
            } else {
                iconArea.moveLeft(area.left() + kIconGap);
                iconArea.moveTop(area.top() + (area.height() - size.height()) / 2);
                textArea.setLeft(iconArea.right() + 1 + kIconGap);
            }
        } else {
            iconArea.moveCenter(area.center());
            if (!caption.isEmpty()) {
                iconArea.moveTop(area.top() + kIconGap);
                textArea.setTop(iconArea.bottom() + 1);
            }
        }
        icon.paint(&painter, iconArea.translated(shift, shift), Qt::AlignCenter,
                   isEnabled() ? QIcon::Normal : QIcon::Disabled);
    }

    if (!caption.isEmpty()) {
        QColor color;
        if (!isEnabled()) {
            color = palette().color(QPalette::Disabled, QPalette::ButtonText);
        } else {
            color = hovered_ || pressed ? activeText_ : inactiveText_;
            if (!color.isValid()) {
                color = palette().color(QPalette::ButtonText);
            }
        }
        QStyleOptionButton option;
        initStyleOption(&option);
        int flags = Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
        if (!style()->styleHint(QStyle::SH_UnderlineShortcut, &option, this)) {
            flags |= Qt::TextHideMnemonic;
        }
        painter.setPen(color);
        painter.drawText(textArea.translated(shift, shift), flags, caption);
    }

    // A flat button shows the focus too when the keyboard brought it there; without it, Tab and
    // Space would act on a button nobody can see. Clicked with the mouse it stays plain, even in
    // a window where Tab was used before.
    if (hasFocus() && (!isFlat() || flatFocus_ || keyboardFocus_)) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(kIconGap, kIconGap, -kIconGap, -kIconGap);
        focus.backgroundColor = palette().color(QPalette::Button);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void IconPushButton::paintBorder(QPainter& painter, const QRect& area) const {
    const QPalette& colors = palette();
    const int left = area.left();
    const int top = area.top();
    const int right = area.right();
    const int bottom = area.bottom();
    auto topLeft = [&](const QColor& color, int inset) {
        painter.setPen(color);
        painter.drawLine(left + inset, top + inset, right - inset, top + inset);
        painter.drawLine(left + inset, top + inset, left + inset, bottom - inset);
    };
    auto bottomRight = [&](const QColor& color, int inset) {
        painter.setPen(color);
        painter.drawLine(left + inset, bottom - inset, right - inset, bottom - inset);
        painter.drawLine(right - inset, top + inset, right - inset, bottom - inset);
    };
    switch (border()) {
        case Border::None:
            break;
        case Border::Framed:
            painter.setPen(colors.color(QPalette::Dark));
            painter.drawRect(area.adjusted(0, 0, -1, -1));
            break;
        case Border::Sunken:
            topLeft(colors.color(QPalette::Dark), 0);
            bottomRight(colors.color(QPalette::Light), 0);
            break;
        case Border::Raised:
            topLeft(colors.color(QPalette::Light), 0);
            bottomRight(colors.color(QPalette::Dark), 0);
            break;
        case Border::RaisedDouble:
            topLeft(colors.color(QPalette::Light), 0);
            topLeft(colors.color(QPalette::Midlight), 1);
            bottomRight(colors.color(QPalette::Shadow), 0);
            bottomRight(colors.color(QPalette::Dark), 1);
            break;
    }
}

void IconPushButton::enterEvent(QEnterEvent* event) {
    QPushButton::enterEvent(event);
    // A drag that started elsewhere does not light the button up.
    if (!(QApplication::mouseButtons() & Qt::LeftButton)) {
        setHovered(mayHover());
    }
}

void IconPushButton::leaveEvent(QEvent* event) {
    QPushButton::leaveEvent(event);
    setHovered(false);
}

void IconPushButton::mouseMoveEvent(QMouseEvent* event) {
    QPushButton::mouseMoveEvent(event);
    const bool inside = rect().contains(event->position().toPoint());
    if (event->buttons() & Qt::LeftButton) {
        // Pressed and dragged: the hover look may go, but only a release gives it back.
        if (hovered_ && !inside) {
            setHovered(false);
        }
        return;
    }
    setHovered(inside && mayHover());
}

void IconPushButton::focusInEvent(QFocusEvent* event) {
    switch (event->reason()) {
        case Qt::TabFocusReason:
        case Qt::BacktabFocusReason:
        case Qt::ShortcutFocusReason:
            keyboardFocus_ = true;
            break;
        case Qt::ActiveWindowFocusReason:
        case Qt::PopupFocusReason:
            // The focus comes back as it went: by keyboard or not.
            break;
        default:
            keyboardFocus_ = false;
            break;
    }
    QPushButton::focusInEvent(event);
}

void IconPushButton::focusOutEvent(QFocusEvent* event) {
    QPushButton::focusOutEvent(event);
    setHovered(false);
}

void IconPushButton::changeEvent(QEvent* event) {
    QPushButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        setHovered(false);
    }
}

void IconPushButton::setHovered(bool hovered) {
    if (hovered_ != hovered) {
        hovered_ = hovered;
        update();
    }
}

bool IconPushButton::mayHover() const {
    return isFlat() && isEnabled() && parentWidget() != nullptr &&
           QApplication::activeWindow() != nullptr;
}

bool IconPushButton::looksPressed() const {
    return isDown() || isChecked();
}

QString IconPushButton::shownText() const {
    return showText_ ? text() : QString();
}

void IconPushButton::redrawIf(bool repaint) {
    if (repaint) {
        update();
    }
}

IconPushButton* makeDialogButton(const QString& text, const QString& name, const QString& toolTip,
                                 QWidget* parent) {
    auto* button = new IconPushButton(text, parent);
    button->setObjectName(name);
    button->setToolTip(toolTip);
    button->setAutoDefault(false);
    return button;
}

}  // namespace nameshift::ui
