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
#include <set>
#include <vector>

#include "engine/ApplyCommand.h"
#include "engine/BatchHistory.h"
#include "engine/BatchRecovery.h"
#include "engine/CommandGuard.h"
#include "engine/FolderHistory.h"
#include "engine/PreviewCommand.h"
#include "engine/RestoreCommand.h"
#include "engine/UndoCommand.h"
#include "platform/FolderMessages.h"
#include "settings/Id3OptionsFile.h"
#include "settings/MoreRulesFile.h"
#include "settings/PresetStore.h"
#include "settings/ProgramOptionsFile.h"
#include "settings/RenameSettingsFile.h"
#include "settings/StartupDirectory.h"
#include "settings/StartupSettings.h"
#include "ui/HelpWindow.h"
#include "ui/HistoryDialog.h"
#include "ui/HistoryMessages.h"
#include "ui/MessageBoxQuestions.h"
#include "ui/PreviewDialog.h"
#include "ui/QtBatchProgress.h"
#include "ui/QtRestoreFilePicker.h"
#include "ui/RecoveryOffer.h"
#include "ui/Resources.h"
#include "ui/StartupSplash.h"
#include "ui/WindowPlacement.h"
#include "ui/widgets/FittingScrollArea.h"

namespace nameshift::ui {

MainDialog::MainDialog(MainDialogServices services, DialogHooks hooks, QWidget* parent)
    : QDialog(parent),
      services_(std::move(services)),
      hooks_(std::move(hooks)),
      session_(services_.fileSystem, services_.tags) {
    loadResources();
    setWindowTitle(QStringLiteral(" Nameshift Pro"));
    setWindowIcon(QIcon(QStringLiteral(":/program.svg")));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);
    buildControls();
    newNames_ = std::make_unique<NewNameColumn>(session_, *filePanel_->controls().fileList,
                                                services_.newNamesPerSlice,
                                                [this] { rulePanel_->readRules(session_.rules); });
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
        {.read =
             [this] {
                 rulePanel_->readRules(session_.rules);
                 return session_.rules;
             },
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

    c.undoAction = new QAction(tr("&Undo last batch..."), this);
    c.undoAction->setShortcut(QKeySequence::Undo);
    c.redoAction = new QAction(tr("Re&do batch"), this);
    c.redoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    c.historyAction = new QAction(tr("His&tory..."), this);
    c.aboutAction = new QAction(tr("&About Nameshift Pro..."), this);
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    for (QAction* action : {c.undoAction, c.redoAction, c.historyAction}) {
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
    }
    addAction(separator);
    addAction(c.aboutAction);
    setContextMenuPolicy(Qt::ActionsContextMenu);
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
    connect(rulePanel_, &RulePanel::displayChanged, this, &MainDialog::refilterFileList);
    const FilePanelControls& files = filePanel_->controls();
    connect(files.browser, &DirectoryBrowser::driveChanged, this,
            &MainDialog::afterDirectoryChange);
    connect(files.browser, &DirectoryBrowser::directoryOpened, this,
            &MainDialog::afterDirectoryChange);

    connect(rulePanel_, &RulePanel::rulesChanged, newNames_.get(), &NewNameColumn::schedule);
    connect(files.fileList, &FileListView::ticksChanged, newNames_.get(), &NewNameColumn::schedule);
    connect(newNames_.get(), &NewNameColumn::rulesRefusalChanged, filePanel_,
            &FilePanel::showRulesRefusal);

    connect(c.preview, &QPushButton::clicked, this,
            [this] { runCommand(&MainDialog::previewChanges); });
    connect(c.apply, &QPushButton::clicked, this,
            [this] { runCommand(&MainDialog::applyChanges); });
    connect(c.restore, &QPushButton::clicked, this,
            [this] { runCommand(&MainDialog::restoreFilenames); });
    connect(c.save, &QPushButton::clicked, this, [this] { runCommand(&MainDialog::saveSettings); });
    connect(c.exit, &QPushButton::clicked, this, &MainDialog::reject);
    connect(c.options, &QPushButton::clicked, this,
            [this] { runCommand(&MainDialog::openOptions); });
    connect(rulePanel_, &RulePanel::id3OptionsRequested, this,
            [this] { runCommand(&MainDialog::openId3Options); });
    connect(c.help, &QPushButton::clicked, this,
            [this] { openHelp(QLatin1String(HelpWindow::kContentsPage)); });
    connect(c.about, &QPushButton::clicked, this, &MainDialog::openAbout);
    connect(c.aboutAction, &QAction::triggered, this, &MainDialog::openAbout);
    connect(c.undoAction, &QAction::triggered, this,
            [this] { runCommand(&MainDialog::undoLastBatch); });
    connect(c.redoAction, &QAction::triggered, this,
            [this] { runCommand(&MainDialog::redoBatch); });
    connect(c.historyAction, &QAction::triggered, this,
            [this] { runCommand(&MainDialog::openHistory); });
    HelpWindow::addHelpKey(this, [this](const QString& page) { openHelp(page); });
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
    tellRefusedHistoryOptions();
    // Before the first listing, so that the list shows the files as the recovery left them. A
    // recovery that runs out of memory stops as a command does, and the program still starts.
    engine::runGuarded(services_.messages, [&] { offerRecovery(); });

    session_.fileList.setMaskPosition(0);
    filePanel_->controls().selectAll->setChecked(false);
    rulePanel_->writeRules(session_.rules);
    rulePanel_->applyEnablingRule();
    emptyFileList();
    fillFileList();
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

void MainDialog::fillFileList() {
    rulePanel_->readRules(session_.rules);
    // The one place the session learns its directory: the commands work where the listed files
    // are, whatever the browser showed for a moment.
    session_.directory = filePanel_->controls().browser->currentPath();
    session_.fileList.setAttributeMask(session_.rules.attributeMask());
    session_.fileList.setSortKey(session_.rules.sortKey);
    session_.fileList.setNaturalOrder(session_.rules.naturalOrder);
    // Refilling may show a message, and no part of the column may be computed meanwhile.
    newNames_->drop();
    const bool listed = refillFileList(engine::Refill::KeepingMask);
    if (!listed && leaveGoneDirectory()) {
        return;
    }
    if (listed) {
        filePanel_->controls().browser->tree()->offerSubdirectories(
            session_.directory, session_.fileList.subdirectories());
    }
    showFileList();
}

bool MainDialog::refillFileList(engine::Refill how) {
    const engine::ListingStatus listed = how == engine::Refill::KeepingMask
                                             ? session_.fileList.applyFileMask(session_.directory)
                                             : session_.fileList.fill(session_.directory);
    if (listed.problem == engine::ListingStatus::Problem::NoAttributes) {
        services_.messages.show(engine::noFileAttributeMessage());
    }
    return listed.ok();
}

bool MainDialog::leaveGoneDirectory() {
    if (!filePanel_->controls().browser->tree()->leaveIfGone()) {
        return false;
    }
    // The ticked rows are of files that went with their directory.
    afterDirectoryChange();
    return true;
}

void MainDialog::refilterFileList() {
    session_.fileList.setMaskPosition(rulePanel_->chosenMask());
    fillFileList();
}

void MainDialog::showFileList() {
    newNames_->drop();
    filePanel_->showFiles();
    rulePanel_->showMasks(session_.fileList.masks(), session_.fileList.maskPosition());
    newNames_->schedule();
}

void MainDialog::emptyFileList() {
    newNames_->drop();
    session_.fileList.clear();
    filePanel_->controls().fileList->reload();
    filePanel_->showStatus();
}

void MainDialog::afterDirectoryChange() {
    // The rows of the directory left behind must go even if the new one cannot be read: they
    // would otherwise be renamed in a directory they do not belong to.
    emptyFileList();
    session_.fileList.setMaskPosition(0);
    fillFileList();
}

// The commands plan the batch anew; the column is finished first so that nothing of it is
// computed while a command works on the list, and it shows what the command judged.
void MainDialog::previewChanges() {
    if (leaveGoneDirectory()) {
        return;
    }
    newNames_->finish();
    rulePanel_->readRules(session_.rules);
    PreviewDialog dialog(this, services_.runModal);
    engine::showReport(services_.messages, engine::preview(session_, dialog));
}

void MainDialog::applyChanges() {
    if (leaveGoneDirectory()) {
        return;
    }
    newNames_->finish();
    rulePanel_->readRules(session_.rules);
    QtBatchProgress progress(this, tr("Renaming files..."));
    MessageBoxQuestions questions(services_.messages);
    afterCommand(engine::applyChanges(session_, questions, &progress));
}

void MainDialog::restoreFilenames() {
    newNames_->finish();
    rulePanel_->readRules(session_.rules);
    QtBatchProgress progress(this, tr("Restoring file names..."));
    if (services_.restorePicker != nullptr) {
        afterCommand(engine::restoreFilenames(session_, *services_.restorePicker, &progress));
        return;
    }
    QtRestoreFilePicker picker(this, services_.runModal);
    afterCommand(engine::restoreFilenames(session_, picker, &progress));
}

void MainDialog::undoLastBatch() {
    engine::FolderHistory history(services_.fileSystem, session_.stateDirectory,
                                  session_.directory);
    if (const std::optional<engine::HistoryBatch> batch = history.batchToUndo()) {
        undoHistoryBatch(*batch);
        return;
    }
    if (services_.messages.show(nothingToUndoQuestion(session_.directory)) ==
        platform::Answer::Yes) {
        openHistory();
    }
}

void MainDialog::undoHistoryBatch(const engine::HistoryBatch& batch) {
    if (services_.messages.show(undoQuestion(batch)) != platform::Answer::Yes) {
        return;
    }
    QtBatchProgress progress(this, tr("Undoing the batch..."));
    afterCommand(
        withFacts(engine::undoBatch(session_, batch.id, &progress), batch, HistoryStep::Undo));
}

void MainDialog::redoBatch() {
    engine::FolderHistory history(services_.fileSystem, session_.stateDirectory,
                                  session_.directory);
    const std::optional<engine::HistoryBatch> batch = history.batchToRedo();
    if (!batch) {
        services_.messages.show(nothingToRedoMessage(session_.directory));
        return;
    }
    QtBatchProgress progress(this, tr("Redoing the batch..."));
    afterCommand(
        withFacts(engine::redoBatch(session_, &progress, batch->id), *batch, HistoryStep::Redo));
}

void MainDialog::openHistory() {
    const std::vector<engine::HistoryEntry> entries =
        engine::BatchHistory(services_.fileSystem, session_.stateDirectory).entries();
    HistoryDialog history(entries, this);
    runModal(services_.runModal, history);
    const std::optional<std::uint64_t> chosen = history.chosenBatch();
    const auto entry = std::find_if(entries.begin(), entries.end(), [&](const auto& listed) {
        return chosen && listed.id == *chosen && listed.record;
    });
    if (entry != entries.end()) {
        undoHistoryBatch(engine::historyBatchOf(*entry));
    }
}

void MainDialog::afterCommand(const engine::CommandReport& report) {
    engine::showReport(services_.messages, report);
    // A command may have emptied the list, whatever it reports.
    newNames_->drop();
    if (report.outcome == engine::CommandOutcome::ExitProgram) {
        accept();
        return;
    }
    if (report.refill == engine::Refill::None) {
        newNames_->schedule();
        return;
    }
    // Refused because files changed, the batch renamed nothing: the user's ticks stay on the
    // files still there as they were, in the folder that was listed.
    std::set<std::pair<std::string, std::uint64_t>> ticked;
    const std::optional<platform::FileIdentity> listed = session_.fileList.listedDirectory();
    if (report.outcome == engine::CommandOutcome::Relisted) {
        ticked = tickedFiles();
    }
    refillFileList(report.refill);
    if (const auto& relisted = session_.fileList.listedDirectory();
        !ticked.empty() && listed && relisted && relisted->sameFileAs(*listed)) {
        tickAgain(ticked);
    }
    if (report.refill == engine::Refill::Whole) {
        // The refilled list shows every file, and the renames may have changed which masks
        // exist; the mask list must not claim a filter that is not applied.
        session_.fileList.setMaskPosition(0);
    }
    showFileList();
}

std::set<std::pair<std::string, std::uint64_t>> MainDialog::tickedFiles() const {
    std::set<std::pair<std::string, std::uint64_t>> ticked;
    const engine::FileList& files = session_.fileList;
    for (std::size_t row = 0; row < files.rowCount(); ++row) {
        if (files.isTicked(row)) {
            ticked.emplace(std::string(files.row(row).name), files.row(row).inode);
        }
    }
    return ticked;
}

void MainDialog::tickAgain(const std::set<std::pair<std::string, std::uint64_t>>& files) {
    engine::FileList& list = session_.fileList;
    for (std::size_t row = 0; row < list.rowCount(); ++row) {
        const engine::ListedFile& file = list.row(row);
        if (files.contains({std::string(file.name), file.inode})) {
            list.setTicked(row, true);
        }
    }
}

void MainDialog::runCommand(void (MainDialog::*command)()) {
    if (engine::runGuarded(services_.messages, [&] { (this->*command)(); })) {
        return;
    }
    // A batch stopped part way keeps its journal, as one a crash interrupted does: it is offered
    // for undoing or finishing at once, since no batch runs in its directory until then.
    engine::runGuarded(services_.messages, [&] { offerRecovery(); });
    // The batch's lists are half done and files may have new names: the rows must not be used
    // again. If even the listing fails, the list stays empty.
    emptyFileList();
    try {
        fillFileList();
    } catch (...) {
        emptyFileList();
    }
}

void MainDialog::offerRecovery() {
    QtBatchProgress progress(this, tr("Recovering an interrupted batch..."));
    ui::offerRecovery(services_.fileSystem, services_.messages, session_.stateDirectory, &progress,
                      engine::historyBoundOf(session_.rules));
}

void MainDialog::saveSettings() {
    rulePanel_->readRules(session_.rules);
    // morerules.ini follows renset.ini, whose overwrite question stands for both files.
    if (settings::saveRenameSettings(services_.fileSystem, services_.messages,
                                     paths_.renameSettings, session_.rules)) {
        settings::saveMoreRules(services_.fileSystem, services_.messages, paths_.moreRules,
                                session_.rules);
    }
}

void MainDialog::reject() {
    if (session_.options.confirmationOnExit &&
        !services_.messages.ask(NS_MESSAGE("Message", "Are you sure you want to quit?"),
                                NS_MESSAGE("Message", "Confirm Exit"), platform::Icon::None)) {
        return;
    }
    emptyFileList();
    QDialog::reject();
}

void MainDialog::showPreset(const settings::RenameSettings& rules) {
    const bool resort = rules.naturalOrder != session_.rules.naturalOrder;
    rulePanel_->writeRules(rules);
    rulePanel_->applyEnablingRule();
    if (resort) {
        refilterFileList();
    } else {
        newNames_->schedule();
    }
}

void MainDialog::openOptions() {
    if (hooks_.options) {
        hooks_.options(context());
    }
    if (auto options = settings::readProgramOptions(services_.fileSystem, paths_.programOptions,
                                                    session_.options)) {
        session_.options = *options;
    }
    // The history's options share morerules.ini with the rules, whose unsaved changes stay.
    if (const auto text =
            services_.fileSystem.readFile(paths_.moreRules, settings::kSettingsFileMaxBytes);
        text.ok()) {
        const settings::RenameSettings saved = settings::parseMoreRules(*text, {});
        session_.rules.historyOnly = saved.historyOnly;
        session_.rules.historyBatches = saved.historyBatches;
        session_.rules.historyMebibytes = saved.historyMebibytes;
        tellRefusedHistoryOptions();
    }
    // Whether a restore file may be written decides which names the column may give.
    newNames_->schedule();
}

void MainDialog::tellRefusedHistoryOptions() {
    // The history then keeps its default bound, which the user should know is not the one asked
    // for: the command-line tool refuses its batches over the same words.
    if (const auto refusal = engine::historyOptionRefusal(session_.rules, paths_.moreRules)) {
        services_.messages.show(*refusal);
    }
}

void MainDialog::openId3Options() {
    if (hooks_.id3Options) {
        hooks_.id3Options(context());
    }
    // Unlike opt.ini, a missing ID3Opts.ini is reported here too, and renaming falls back on
    // the default format.
    session_.id3 =
        settings::loadId3Naming(services_.fileSystem, services_.messages, paths_.id3Options);
    newNames_->schedule();
}

void MainDialog::openAbout() {
    if (hooks_.about) {
        hooks_.about(context());
    }
}

void MainDialog::openHelp(const QString& page) {
    if (hooks_.help) {
        hooks_.help(context(), page);
    }
}

DialogContext MainDialog::context() {
    return {this, services_.fileSystem, services_.messages, paths_};
}

}  // namespace nameshift::ui
