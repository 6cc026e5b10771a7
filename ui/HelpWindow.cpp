#include "ui/HelpWindow.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "ui/ReadableColor.h"
#include "ui/WindowPlacement.h"
#include "ui/widgets/IconPushButton.h"

// Q_INIT_RESOURCE names a function at global scope, so it may not be used inside a namespace.
static void loadHelpPages() {
    Q_INIT_RESOURCE(help);
}

namespace nameshift::ui {
namespace {

const QString kHelpRoot = QStringLiteral("qrc:/help/");
const char* const kPageProperty = "nameshiftHelpPage";
const char* const kWindowTitle =
    QT_TRANSLATE_NOOP("nameshift::ui::HelpWindow", "Nameshift Pro Help");

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    static const bool loaded = [] {
        loadHelpPages();
        return true;
    }();
    (void)loaded;

    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(tr(kWindowTitle));
    setWindowModality(Qt::NonModal);

    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("helpBrowser"));
    // Mail and web links leave the help for the desktop's own programs.
    browser_->setOpenExternalLinks(true);

    auto* contentsButton = new IconPushButton(tr("C&ontents"), this);
    contentsButton->setObjectName(QStringLiteral("contents"));
    contentsButton->setIcons(QStringLiteral(":/icons/help.svg"));
    contentsButton->setToolTip(tr("Shows the list of help topics"));
    connect(contentsButton, &QPushButton::clicked, browser_, &QTextBrowser::home);

    backButton_ = new IconPushButton(tr("&Back"), this);
    backButton_->setObjectName(QStringLiteral("back"));
    backButton_->setToolTip(tr("Goes back to the page shown before (Alt+Left)"));
    backButton_->setEnabled(false);
    connect(backButton_, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(browser_, &QTextBrowser::backwardAvailable, backButton_, &QWidget::setEnabled);

    forwardButton_ = new IconPushButton(tr("&Forward"), this);
    forwardButton_->setObjectName(QStringLiteral("forward"));
    forwardButton_->setToolTip(tr("Goes forward again (Alt+Right)"));
    forwardButton_->setEnabled(false);
    connect(forwardButton_, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::forwardAvailable, forwardButton_, &QWidget::setEnabled);

    auto* closeButton = new IconPushButton(tr("&Close"), this);
    closeButton->setObjectName(QStringLiteral("close"));
    closeButton->setIcons(QStringLiteral(":/icons/exit.svg"));
    closeButton->setToolTip(tr("Closes the help window"));
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);

    auto* closeShortcut = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(closeShortcut, &QShortcut::activated, this, &QWidget::close);
    auto* backShortcut = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Left), this);
    connect(backShortcut, &QShortcut::activated, browser_, &QTextBrowser::backward);
    auto* forwardShortcut = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Right), this);
    connect(forwardShortcut, &QShortcut::activated, browser_, &QTextBrowser::forward);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(contentsButton);
    buttonRow->addWidget(backButton_);
    buttonRow->addWidget(forwardButton_);
    buttonRow->addStretch(1);
    buttonRow->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttonRow);
    layout->addWidget(browser_, 1);

    connect(browser_, &QTextBrowser::sourceChanged, this, &HelpWindow::updateTitle);
    fitLinkColor();
    browser_->setSource(QUrl(kHelpRoot + QLatin1String(kContentsPage)));
    resize(720, 560);
}

HelpWindow* HelpWindow::showHelp(QWidget* parent, const QString& page) {
    QWidget* owner = parent != nullptr ? parent->window() : nullptr;
    HelpWindow* help = owner != nullptr
                           ? owner->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly)
                           : nullptr;
    if (help == nullptr) {
        help = new HelpWindow(owner);
        if (owner == nullptr) {
            help->setAttribute(Qt::WA_DeleteOnClose);
        }
        placeWindow(*help, owner);
    }
    help->showPage(page);
    help->show();
    help->raise();
    help->activateWindow();
    return help;
}

void HelpWindow::setPage(QWidget* widget, const QString& page) {
    widget->setProperty(kPageProperty, page);
}

QString HelpWindow::pageFor(const QWidget* widget) {
    for (const QWidget* around = widget; around != nullptr;
         around = around->isWindow() ? nullptr : around->parentWidget()) {
        const QVariant page = around->property(kPageProperty);
        if (page.isValid()) {
            return page.toString();
        }
    }
    return QLatin1String(kContentsPage);
}

void HelpWindow::addHelpKey(QWidget* window, std::function<void(const QString&)> open) {
    if (!open) {
        open = [window](const QString& page) { showHelp(window, page); };
    }
    for (const QKeySequence& key :
         {QKeySequence(QKeySequence::HelpContents), QKeySequence(Qt::Key_Help)}) {
        QObject::connect(new QShortcut(key, window), &QShortcut::activated, window, [window, open] {
            const QWidget* focus = window->focusWidget();
            open(pageFor(focus != nullptr ? focus : window));
        });
    }
}

void HelpWindow::showPage(const QString& page) {
    const QUrl target(kHelpRoot + page);
    if (browser_->source() != target) {
        browser_->setSource(target);
    }
}

void HelpWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange && browser_ != nullptr) {
        fitLinkColor();
        browser_->reload();
    }
}

void HelpWindow::fitLinkColor() {
    // The pages take the link colour of the desktop's palette, which some dark colour schemes
    // leave too dark to read on their own background; it is made lighter or darker until the
    // links read as well as text should (4.5:1).
    const QPalette& colors = palette();
    const QColor link = readableColor(colors.color(QPalette::Link), colors.color(QPalette::Base));
    browser_->document()->setDefaultStyleSheet(QStringLiteral("a { color: %1; }").arg(link.name()));
}

void HelpWindow::updateTitle() {
    const QString pageTitle = browser_->documentTitle();
    setWindowTitle(pageTitle.isEmpty() ? tr(kWindowTitle)
                                       : tr(kWindowTitle) + QStringLiteral(" - ") + pageTitle);
}

}  // namespace nameshift::ui
