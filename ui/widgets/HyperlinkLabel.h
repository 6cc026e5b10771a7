#pragma once

#include <QColor>
#include <QCursor>
#include <QLabel>
#include <QString>
#include <QUrl>
#include <functional>
#include <string>

#include "platform/MessageBox.h"

namespace nameshift::ui {

// The result code of a failed open that has no better explanation on this desktop: nothing is
// registered to open the link.
inline constexpr int kNoAssociatedApplication = 31;

// The explanation shown after "Unable to open hyperlink:" for the result code of an open.
platform::MessageText linkOpenResultMessage(int result);
// The same in English.
std::string linkOpenResultText(int result);

// A label that looks and acts like a link in a web page: coloured, underlined, showing its URL
// as tooltip, and opening the URL through the desktop when clicked or activated from the
// keyboard. A failed open is reported through the message box and leaves the link unvisited.
class HyperlinkLabel : public QLabel {
    Q_OBJECT

public:
    // Opens a URL and tells whether the desktop took it.
    using UrlOpener = std::function<bool(const QUrl&)>;

    static constexpr QColor kLinkColor{0, 0, 238};
    static constexpr QColor kVisitedColor{85, 26, 139};

    explicit HyperlinkLabel(platform::MessageBox& messages, const QString& text = QString(),
                            QWidget* parent = nullptr);

    // An empty URL stands for the label's text; an empty text shows the URL.
    void setUrl(const QString& url);
    QString url() const;

    void setVisited(bool visited);
    bool isVisited() const { return visited_; }
    void setUnderline(bool underline);
    bool hasUnderline() const { return underline_; }
    void setLinkColor(const QColor& color);
    QColor linkColor() const { return linkColor_; }
    void setVisitedColor(const QColor& color);
    QColor visitedColor() const { return visitedColor_; }
    // The colour the label paints now: the link or visited colour on a light palette, the
    // palette's own link colours on a dark one, where the fixed blue is hard to read; either
    // made lighter or darker where it would not read as well as text on the window.
    QColor shownColor() const;

    // While on, the label keeps the size of its text, moving its edges as its alignment says.
    void setSizeToText(bool sizeToText);
    bool sizesToText() const { return sizeToText_; }
    void setLinkCursor(const QCursor& cursor);

    // Replaces the desktop as the way links are opened; tests use it to avoid starting programs.
    void setUrlOpener(UrlOpener opener);

    // Opens the link as a click does.
    void activate();

signals:
    void opened(const QUrl& url);
    // The link could not be opened, and the user was told.
    void failed();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void refreshLook();
    void fitToText();

    platform::MessageBox& messages_;
    UrlOpener opener_;
    QString url_;
    QColor linkColor_ = kLinkColor;
    QColor visitedColor_ = kVisitedColor;
    bool visited_ = false;
    bool underline_ = true;
    bool sizeToText_ = true;
    bool pressed_ = false;
};

}  // namespace nameshift::ui
