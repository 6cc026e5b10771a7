#pragma once

#include <QString>
#include <QWidget>

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
