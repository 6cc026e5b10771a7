#pragma once

#include <QString>
#include <QWidget>
#include <functional>

class QTextBrowser;

namespace nameshift::ui {

class IconPushButton;

// The program's own help: its HTML pages, compiled into the program, in a window of their own
// that stays open beside the main dialog. It needs no help viewer or browser on the desktop and
// never touches the process's current directory, which the directory browser owns.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    // The page the help opens on.
    static constexpr const char* kContentsPage = "index.html";

    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows `page` in the help window of `parent`'s window, making that window the first time and
    // bringing it to the front afterwards. The window belongs to `parent`'s window, so it stays
    // usable while that window is.
    static HelpWindow* showHelp(QWidget* parent,
                                const QString& page = QLatin1String(kContentsPage));

    // Names `page` as the help on `widget` and on the widgets inside it.
    static void setPage(QWidget* widget, const QString& page);
    // The help on `widget`: the page named for it or for the nearest widget around it in its
    // window, else the contents page.
    static QString pageFor(const QWidget* widget);
    // Makes F1 and the Help key in `window` open the help on the widget that has the focus, by
    // `open`, or else in the help window of `window`.
    static void addHelpKey(QWidget* window, std::function<void(const QString&)> open = {});

    void showPage(const QString& page);
    QTextBrowser* browser() const { return browser_; }

protected:
    void changeEvent(QEvent* event) override;

private:
    void updateTitle();
    void fitLinkColor();

    QTextBrowser* browser_ = nullptr;
    IconPushButton* backButton_ = nullptr;
    IconPushButton* forwardButton_ = nullptr;
};

}  // namespace nameshift::ui
