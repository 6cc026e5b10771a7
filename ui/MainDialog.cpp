#include "ui/MainDialog.h"

#include <QApplication>
#include <QGridLayout>
#include <QIcon>
#include <QPushButton>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <vector>

#include "engine/commands/CommandGuard.h"
#include "platform/FolderMessages.h"
#include "settings/PresetStore.h"
#include "settings/StartupDirectory.h"
#include "settings/StartupSettings.h"
#include "ui/HelpWindow.h"
#include "ui/Resources.h"
#include "ui/StartupSplash.h"
#include "ui/WindowMenu.h"
#include "ui/WindowPlacement.h"
#include "ui/widgets/FittingScrollArea.h"

namespace nameshift::ui {

MainDialog::MainDialog(MainDialogServices services, DialogHooks hooks, QWidget* parent)
    : QDialog(parent),
      services_(std::move(services)),
      session_(services_.fileSystem, services_.tags) {
    loadResources();
    setWindowTitle(QStringLiteral(" Nameshift Pro"));
    setWindowIcon(QIcon(QStringLiteral(":/program.svg")));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);
    buildControls();
    newNames_ = std::make_unique<NewNameColumn>(session_, *filePanel_->controls().fileList,
                                                services_.newNamesPerSlice);
    listing_.emplace(session_, *filePanel_, *rulePanel_, *newNames_, services_.messages);
    commands_.emplace(*this, services_, session_, paths_, *listing_, *newNames_);
    dialogs_.emplace(*this, services_, std::move(hooks), session_, paths_, *newNames_);
    // From now on the panel writes every change into the session's rules, which the commands read.
    rulePanel_->keepRulesIn(session_.rules);
    setButtonIcons();
    layOutControls();
    setTabOrderAsRead();
    connectControls();
    setHelpPages();
}

MainDialog::~MainDialog() {
    newNames_->drop();
    // The list reads the session's rows whenever it lays itself out, which hiding the dialog on
    // its way out makes it do: it goes with its panel before the session does.
    delete filePanel_;
    filePanel_ = nullptr;
}

void MainDialog::buildControls() {
    MainDialogControls& c = controls_;
    // Made in the order the window is read, which Tab follows: the file side first.
    filePanel_ = new FilePanel(session_.fileList, services_.fileSystem, services_.messages,
                               services_.volumes, services_.volumeTimeLimit, this);
    rulePanel_ = new RulePanel(services_.messages, this);
    presetBar_ = new PresetBar(
        services_.fileSystem, services_.messages, services_.askPresetName,
        {.read = [this] { return session_.rules; },
         .show = [this](const settings::RenameSettings& rules) { showPreset(rules); }},
        this);
    // Presets belong to the rules that are folded away with them.
    rulePanel_->moreRules().addAtTop(presetBar_);

    c.preview = new IconPushButton(tr("&Preview changes"), this);
    c.restore = new IconPushButton(tr("&Restore Filenames"), this);
    c.options = new IconPushButton(tr("&Options"), this);
    c.help = new IconPushButton(tr("&Help"), this);
    c.apply = new IconPushButton(tr("&Apply changes"), this);
    c.exit = new IconPushButton(tr("E&xit"), this);
    c.save = new IconPushButton(tr("&Save settings"), this);
    c.about = new IconPushButton(tr("A&bout"), this);

    const WindowMenu menu(*this);
    c.undoAction = menu.undo;
    c.redoAction = menu.redo;
    c.historyAction = menu.history;
    c.aboutAction = menu.about;
    c.editNamesAction = menu.editNames;
    c.importNamesAction = menu.importNames;
}

void MainDialog::layOutControls() {
    const MainDialogControls& c = controls_;
    // The browser and the list take what the window gains; the rules keep their natural size. The
    // user may widen the file side for long names; the split stays as it is put when the window
    // grows or shrinks.
    auto* body = new QSplitter(Qt::Horizontal, this);
    body->setObjectName(QStringLiteral("fileSplit"));
    fileSplit_ = body;
    body->setChildrenCollapsible(false);
    body->addWidget(filePanel_);
    // Scrolled only when the "More rules" group makes the rules taller than the screen.
    auto* rules = new FittingScrollArea(this);
    rules->setWidget(rulePanel_);
    rules->setLeastHeight(rulePanel_->minimumSizeHint().height());
    body->addWidget(rules);
    body->setStretchFactor(0, 1);
    body->setStretchFactor(1, 0);
    connect(rulePanel_->moreRules().controls().toggle, &QPushButton::toggled, rules,
            [this, rules](bool shown) {
                QTimer::singleShot(0, rules, [this, rules, shown] {
                    rules->fitWindowToWidget();
                    if (shown) {
                        rules->ensureWidgetVisible(&rulePanel_->moreRules());
                    }
                });
            });

    // A rule reached with Tab from the file side is scrolled into view as one reached inside.
    connect(qApp, &QApplication::focusChanged, rules, [rules](QWidget*, QWidget* now) {
        if (now != nullptr && rules->widget()->isAncestorOf(now)) {
            rules->ensureWidgetVisible(now);
        }
    });

    auto* commands = new QGridLayout;
    const std::array<IconPushButton*, 8> buttons = {c.preview, c.restore, c.options, c.help,
                                                    c.apply,   c.exit,    c.save,    c.about};
    int widest = 0;
    for (const IconPushButton* button : buttons) {
        widest = std::max(widest, button->sizeHint().width());
    }
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        buttons[i]->setFixedWidth(widest);
        commands->addWidget(buttons[i], static_cast<int>(i / 4), static_cast<int>(i % 4),
                            Qt::AlignHCenter);
    }

    auto* whole = new QVBoxLayout(this);
    whole->addWidget(body, 1);
    whole->addLayout(commands);
    whole->setSizeConstraint(QLayout::SetMinimumSize);
}

void MainDialog::setTabOrderAsRead() {
    // The presets stand at the top of the folded rules, though the bar is made after them.
    const MoreRulesControls& more = rulePanel_->moreRules().controls();
    const PresetBarControls& presets = presetBar_->controls();
    QWidget* before = more.toggle;
    for (QWidget* widget :
         {static_cast<QWidget*>(presets.presets), static_cast<QWidget*>(presets.save),
          static_cast<QWidget*>(presets.remove)}) {
        QWidget::setTabOrder(before, widget);
        before = widget;
    }
}

void MainDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!placed_) {
        placed_ = true;
        // The window grows or narrows by what the file side was given, the rules keeping their
        // width; the screen bounds it then as any window.
        QList<int> sizes = fileSplit_->sizes();
        if (keptLayout_.filePaneWidth > 0 && sizes.size() == 2) {
            const int change = keptLayout_.filePaneWidth - sizes[0];
            resize(std::max(width() + change, minimumSizeHint().width()), height());
            sizes[0] = keptLayout_.filePaneWidth;
            fileSplit_->setSizes(sizes);
        }
        placeWindow(*this, nullptr);
        // Once the layout has followed the placing: what the window opens with.
        QTimer::singleShot(0, this, [this] { openedFileSide_ = fileSplit_->sizes().value(0); });
    }
}

void MainDialog::done(int result) {
    // Only a width the user changed, by the split or by the window's size, is kept: a window
    // left as it opened writes nothing.
    if (openedFileSide_ >= 0 && fileSplit_->sizes().value(0) != openedFileSide_) {
        openedFileSide_ = -1;
        // Losing it costs the user one drag at the next start, not worth a message on the way
        // out.
        static_cast<void>(
            settings::writeWindowLayout(services_.fileSystem, paths_.windowLayout,
                                        {.filePaneWidth = fileSplit_->sizes().value(0)}));
    }
    QDialog::done(result);
}

void MainDialog::setButtonIcons() {
    MainDialogControls& c = controls_;
    c.apply->setIcons(QStringLiteral(":/icons/apply-hover.svg"),
                      QStringLiteral(":/icons/apply.svg"));
    c.exit->setIcons(QStringLiteral(":/icons/exit.svg"));
    c.preview->setIcons(QStringLiteral(":/icons/preview.svg"));
    c.restore->setIcons(QStringLiteral(":/icons/restore.svg"));
    c.options->setIcons(QStringLiteral(":/icons/options.svg"));
    c.help->setIcons(QStringLiteral(":/icons/help.svg"));
    c.save->setIcons(QStringLiteral(":/icons/save.svg"));
    c.about->setIcons(QStringLiteral(":/icons/about.svg"));
}

void MainDialog::connectControls() {
    const MainDialogControls& c = controls_;
    connect(rulePanel_, &RulePanel::displayChanged, this, [this] { listing_->refilter(); });
    const FilePanelControls& files = filePanel_->controls();
    for (auto changed : {&DirectoryBrowser::driveChanged, &DirectoryBrowser::directoryOpened}) {
        connect(files.browser, changed, this, [this] { listing_->afterDirectoryChange(); });
    }

    connect(rulePanel_, &RulePanel::rulesChanged, newNames_.get(), &NewNameColumn::schedule);
    connect(files.fileList, &FileListView::ticksChanged, newNames_.get(), &NewNameColumn::schedule);
    connect(files.fileList, &FileListView::pathsDropped, this,
            [this](const QStringList& paths) { listing_->tickDropped(paths); });
    connect(newNames_.get(), &NewNameColumn::rulesRefusalChanged, filePanel_,
            &FilePanel::showRulesRefusal);

    // Each command runs guarded: one stopped by an exception leaves the list read anew.
    BatchCommands& commands = *commands_;
    DialogOpener& dialogs = *dialogs_;
    const auto run = [this, &commands](auto* sender, auto signal, auto command) {
        connect(sender, signal, this, [&commands, command] { commands.run(command); });
    };
    run(c.preview, &QPushButton::clicked, [&commands] { commands.preview(); });
    run(c.apply, &QPushButton::clicked, [&commands] { commands.apply(); });
    run(c.restore, &QPushButton::clicked, [&commands] { commands.restore(); });
    run(c.save, &QPushButton::clicked, [&commands] { commands.save(); });
    run(c.options, &QPushButton::clicked, [&dialogs] { dialogs.openOptions(); });
    run(rulePanel_, &RulePanel::tagNamingOptionsRequested,
        [&dialogs] { dialogs.openTagNamingOptions(); });
    run(c.undoAction, &QAction::triggered, [&commands] { commands.undoLast(); });
    run(c.redoAction, &QAction::triggered, [&commands] { commands.redo(); });
    run(c.historyAction, &QAction::triggered, [&commands] { commands.openHistory(); });
    run(c.editNamesAction, &QAction::triggered, [&commands] { commands.editNames(false); });
    run(c.importNamesAction, &QAction::triggered, [&commands] { commands.editNames(true); });
    connect(c.exit, &QPushButton::clicked, this, &MainDialog::reject);
    connect(c.help, &QPushButton::clicked, this,
            [&dialogs] { dialogs.openHelp(QLatin1String(HelpWindow::kContentsPage)); });
    connect(c.about, &QPushButton::clicked, this, [&dialogs] { dialogs.openAbout(); });
    connect(c.aboutAction, &QAction::triggered, this, [&dialogs] { dialogs.openAbout(); });
    HelpWindow::addHelpKey(this, [&dialogs](const QString& page) { dialogs.openHelp(page); });
}

// F1 opens the page on the control that has the focus; the rest of the window has the contents.
void MainDialog::setHelpPages() {
    const MainDialogControls& c = controls_;
    const std::vector<std::pair<const char*, std::vector<QWidget*>>> pages = {
        {"preview.html", {c.preview}}, {"apply.html", {c.apply}},   {"restore.html", {c.restore}},
        {"options.html", {c.options}}, {"settings.html", {c.save}},
    };
    for (const auto& [page, widgets] : pages) {
        for (QWidget* widget : widgets) {
            HelpWindow::setPage(widget, QLatin1String(page));
        }
    }
}

bool MainDialog::startUp() {
    showSplash();
    const platform::Result<settings::SettingsPaths> paths =
        settings::SettingsPaths::atStartup(services_.startDirectory, services_.settingsDirectory);
    if (!paths.ok()) {
        services_.messages.show(platform::cannotReadCurrentFolder(paths.status()));
        // Without a program directory there are no settings and no directory to work in; only
        // leaving is offered.
        for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            child->setEnabled(child == controls_.exit);
        }
        closeSplash();
        return false;
    }
    paths_ = *paths;
    keptLayout_ = settings::readWindowLayout(services_.fileSystem, paths_.windowLayout);
    // Where nameshift-cli keeps them, so that both share the user's presets.
    presetBar_->setDirectory(settings::PresetStore::directoryIn(paths_.programDirectory));

    const auto openBrowser = [this](const settings::ProgramOptions& options) {
        const std::string startDirectory = settings::chooseStartupDirectory(
            services_.fileSystem, services_.messages, options, services_.startFolder);
        DirectoryBrowser* browser = filePanel_->controls().browser;
        browser->fillDrives(startDirectory, services_.startDirectory);
        browser->fillTree();
    };
    settings::StartupSettings loaded = settings::loadStartupSettings(
        services_.fileSystem, paths_,
        [this](const std::string&) -> platform::MessageBox& { return services_.messages; },
        {.afterOptions = openBrowser});
    session_.options = std::move(loaded.options);
    session_.id3 = std::move(loaded.id3);
    session_.rules = std::move(loaded.rules);
    dialogs_->tellRefusedHistoryOptions();
    // Before the first listing, so that the list shows the files as the recovery left them. A
    // recovery that runs out of memory stops as a command does, and the program still starts.
    engine::runGuarded(services_.messages, [this] { commands_->offerRecovery(); });

    session_.fileList.setMaskPosition(0);
    filePanel_->controls().selectAll->setChecked(false);
    rulePanel_->writeRules(session_.rules);
    rulePanel_->applyEnablingRule();
    listing_->empty();
    listing_->fill();
    if (!services_.startFiles.empty()) {
        listing_->tickNamed(services_.startFiles);
    }
    // The keyboard starts where the work does, in the tree, whose focus frame shows it.
    filePanel_->controls().browser->tree()->setFocus(Qt::OtherFocusReason);
    closeSplash();
    return true;
}

void MainDialog::showSplash() {
    if (services_.splashMilliseconds <= 0) {
        return;
    }
    auto* splash = new StartupSplash;
    splash->setAttribute(Qt::WA_DeleteOnClose);
    splash_ = splash;
    splash->showAndWait(services_.splashMilliseconds);
}

void MainDialog::closeSplash() {
    if (splash_ != nullptr) {
        splash_->close();
        splash_ = nullptr;
    }
}

void MainDialog::reject() {
    if (session_.options.confirmationOnExit &&
        !services_.messages.ask(NS_MESSAGE("Message", "Are you sure you want to quit?"),
                                NS_MESSAGE("Message", "Confirm Exit"), platform::Icon::None)) {
        return;
    }
    listing_->empty();
    QDialog::reject();
}

void MainDialog::showPreset(const settings::RenameSettings& rules) {
    const bool resort = rules.naturalOrder != session_.rules.naturalOrder;
    rulePanel_->writeRules(rules);
    rulePanel_->applyEnablingRule();
    if (resort) {
        listing_->refilter();
    } else {
        newNames_->schedule();
    }
}

}  // namespace nameshift::ui
