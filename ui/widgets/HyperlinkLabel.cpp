#include "ui/widgets/HyperlinkLabel.h"

#include <QApplication>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <utility>

#include "ui/ReadableColor.h"

namespace nameshift::ui {

platform::MessageText linkOpenResultMessage(int result) {
    switch (result) {
        case 0:
            return NS_MESSAGE("Message", "The operating system is out\nof memory or resources.");
        case 2:
            return NS_MESSAGE("Message", "The specified file was not found.");
        case 3:
            return NS_MESSAGE("Message", "The specified path was not found.");
        case 5:
            return NS_MESSAGE("Message",
                              "The operating system denied\naccess to the specified file.");
        case 8:
            return NS_MESSAGE("Message", "There was not enough memory to complete the operation.");
        case 11:
            return NS_MESSAGE("Message",
                              "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image).");
        case 26:
            return NS_MESSAGE("Message", "A sharing violation occurred. ");
        case 27:
            return NS_MESSAGE("Message", "The filename association is\nincomplete or invalid.");
        case 28:
            return NS_MESSAGE(
                "Message",
                "The DDE transaction could not\nbe completed because the request timed out.");
        case 29:
            return NS_MESSAGE("Message", "The DDE transaction failed.");
        case 30:
            return NS_MESSAGE("Message",
                              "The DDE transaction could not\nbe completed because other DDE "
                              "transactions\nwere being processed.");
        case 31:
            return NS_MESSAGE(
                "Message",
                "There is no application associated\nwith the given filename extension.");
        case 32:
            return NS_MESSAGE("Message", "The specified dynamic-link library was not found.");
        default:
            return {NS_MESSAGE("Message", "Unknown Error (%1) occurred."),
                    {std::to_string(result)}};
    }
}

std::string linkOpenResultText(int result) {
    return linkOpenResultMessage(result).filled();
}

HyperlinkLabel::HyperlinkLabel(platform::MessageBox& messages, const QString& text, QWidget* parent)
    : QLabel(text, parent),
      messages_(messages),
      opener_([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {
    setTextFormat(Qt::PlainText);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::ArrowCursor);
    setToolTip(url());
    refreshLook();
    fitToText();
}

void HyperlinkLabel::setUrl(const QString& url) {
    url_ = url;
    if (text().isEmpty()) {
        setText(url_);
    }
    setToolTip(this->url());
    setAccessibleDescription(this->url());
    fitToText();
}

QString HyperlinkLabel::url() const {
    return url_.isEmpty() ? text() : url_;
}

void HyperlinkLabel::setVisited(bool visited) {
    visited_ = visited;
    refreshLook();
}

void HyperlinkLabel::setUnderline(bool underline) {
    underline_ = underline;
    refreshLook();
    fitToText();
}

void HyperlinkLabel::setLinkColor(const QColor& color) {
    linkColor_ = color;
    refreshLook();
}

void HyperlinkLabel::setVisitedColor(const QColor& color) {
    visitedColor_ = color;
    refreshLook();
}

void HyperlinkLabel::setSizeToText(bool sizeToText) {
    sizeToText_ = sizeToText;
    fitToText();
}

void HyperlinkLabel::setLinkCursor(const QCursor& cursor) {
    setCursor(cursor);
}

void HyperlinkLabel::setUrlOpener(UrlOpener opener) {
    opener_ = std::move(opener);
}

void HyperlinkLabel::activate() {
    const QUrl target(url(), QUrl::TolerantMode);
    if (target.isValid() && opener_(target)) {
        setVisited(true);
        emit opened(target);
        return;
    }
    // The desktop does not say why an open failed; the usual reason is that nothing is set up to
    // handle this kind of link (no mail program, for a "mailto:" link).
    QApplication::beep();
    platform::MessageText text(NS_MESSAGE("Message", "Unable to open hyperlink:\n\n%1"));
    text.parts.push_back(linkOpenResultMessage(kNoAssociatedApplication));
    messages_.show(platform::Message{std::move(text), platform::kProgramTitle,
                                     platform::Icon::Exclamation, platform::Buttons::Ok});
    emit failed();
}

QColor HyperlinkLabel::shownColor() const {
    const QPalette& colours = parentWidget() != nullptr ? parentWidget()->palette() : palette();
    const QColor background = colours.color(QPalette::Window);
    const QColor wanted = background.lightness() < 128
                              ? colours.color(visited_ ? QPalette::LinkVisited : QPalette::Link)
                              : (visited_ ? visitedColor_ : linkColor_);
    return readableColor(wanted, background);
}

void HyperlinkLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        pressed_ = true;
        event->accept();
        return;
    }
    QLabel::mousePressEvent(event);
}

void HyperlinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && pressed_) {
        pressed_ = false;
        event->accept();
        // Like a button, the click counts only when the pointer is still over the link.
        if (rect().contains(event->position().toPoint())) {
            activate();
        }
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

void HyperlinkLabel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            event->accept();
            activate();
            return;
        default:
            QLabel::keyPressEvent(event);
    }
}

void HyperlinkLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus()) {
        return;
    }
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.backgroundColor = palette().color(backgroundRole());
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

void HyperlinkLabel::refreshLook() {
    QPalette colours = palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        colours.setColor(group, QPalette::WindowText, shownColor());
    }
    setPalette(colours);
    QFont shownFont = font();
    shownFont.setUnderline(underline_);
    setFont(shownFont);
    update();
}

void HyperlinkLabel::fitToText() {
    if (!sizeToText_) {
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
        return;
    }
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    const QSize wanted = QLabel::sizeHint();
    const QRect old = geometry();
    QRect fitted(old.topLeft(), wanted);
    const Qt::Alignment align = alignment();
    if (align & Qt::AlignVCenter) {
        fitted.moveTop(old.top() + (old.height() - wanted.height()) / 2);
    }
    if (align & Qt::AlignHCenter) {
        fitted.moveLeft(old.left() + (old.width() - wanted.width()) / 2);
    } else if (align & Qt::AlignRight) {
        fitted.moveRight(old.right());
    }
    setGeometry(fitted);
    updateGeometry();
}

}  // namespace nameshift::ui
