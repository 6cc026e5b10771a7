#include "ui/OptionsDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QVBoxLayout>
#include <utility>

#include "engine/records/BatchHistory.h"
#include "settings/MoreRulesFile.h"
#include "settings/ProgramOptionsFile.h"
#include "ui/FieldBinding.h"
#include "ui/HelpWindow.h"
#include "ui/widgets/IconPushButton.h"

namespace nameshift::ui {
namespace {

// The spin boxes take what the history's options take.
constexpr int kMostHistoryBatches = static_cast<int>(engine::kMostHistoryBatches);
constexpr int kMostHistoryMebibytes = static_cast<int>(engine::kMostHistoryMebibytes);

}  // namespace

OptionsDialog::OptionsDialog(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                             std::string optionsPath, QWidget* parent, std::string moreRulesPath)
    : QDialog(parent),
      fileSystem_(fileSystem),
      messages_(messages),
      optionsPath_(std::move(optionsPath)),
      moreRulesPath_(std::move(moreRulesPath)) {
    if (!moreRulesPath_.empty()) {
        moreRules_ = settings::loadMoreRules(fileSystem_, messages_, moreRulesPath_, moreRules_);
    }
    buildControls();
    HelpWindow::setPage(this, QStringLiteral("options.html"));
    HelpWindow::addHelpKey(this);
    showOptions(settings::loadProgramOptions(fileSystem_, messages_, optionsPath_,
                                             settings::ProgramOptions{}));
}

void OptionsDialog::buildControls() {
    setWindowTitle(tr("Options"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    confirmationOnExit_ = new QCheckBox(tr("Con&firmation on Exit"), this);
    confirmationOnExit_->setObjectName(QStringLiteral("confirmationOnExit"));
    warnOnApply_ = new QCheckBox(tr("Display &warning when applying changes"), this);
    warnOnApply_->setObjectName(QStringLiteral("warnOnApply"));
    exitAfterApply_ = new QCheckBox(tr("Exit program after &applying changes"), this);
    exitAfterApply_->setObjectName(QStringLiteral("exitAfterApply"));
    exitAfterRestore_ = new QCheckBox(tr("Exit program after &restoring filenames"), this);
    exitAfterRestore_->setObjectName(QStringLiteral("exitAfterRestore"));

    auto* restoreGroup = new QGroupBox(tr("Restore File"), this);
    auto* restoreLayout = new QVBoxLayout(restoreGroup);
    auto* restoreButtons = new QButtonGroup(this);
    restoreButtons->setObjectName(QStringLiteral("restoreUsage"));
    const QString restoreTexts[] = {
        tr("Au&tomatically create a restore file"),
        tr("Display &option to create a restore file when applying changes"),
        tr("Do &not create a restore file"),
    };
    for (int usage = 0; usage < 3; ++usage) {
        restoreUsage_[usage] = new QRadioButton(restoreTexts[usage], this);
        restoreUsage_[usage]->setObjectName(QStringLiteral("restoreUsage%1").arg(usage));
        restoreButtons->addButton(restoreUsage_[usage], usage);
        restoreLayout->addWidget(restoreUsage_[usage]);
    }

    saveButton_ = new IconPushButton(tr("&Save && Close"), this);
    saveButton_->setObjectName(QStringLiteral("saveAndClose"));
    saveButton_->setIcons(QStringLiteral(":/icons/save.svg"));
    saveButton_->setToolTip(tr("Saves the options in opt.ini and closes the window"));
    saveButton_->setDefault(true);
    connect(saveButton_, &QPushButton::clicked, this, &OptionsDialog::saveAndClose);

    cancelButton_ = new IconPushButton(tr("&Cancel"), this);
    cancelButton_->setObjectName(QStringLiteral("cancel"));
    cancelButton_->setIcons(QStringLiteral(":/icons/cancel.svg"));
    cancelButton_->setToolTip(tr("Closes the window without saving"));
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(saveButton_);
    buttonRow->addWidget(cancelButton_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(confirmationOnExit_);
    layout->addWidget(warnOnApply_);
    layout->addWidget(exitAfterApply_);
    layout->addWidget(exitAfterRestore_);
    layout->addWidget(buildStartupGroup());
    layout->addWidget(restoreGroup);
    layout->addWidget(buildHistoryGroup());
    layout->addLayout(buttonRow);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QGroupBox* OptionsDialog::buildStartupGroup() {
    auto* startupGroup = new QGroupBox(tr("Startup Directory"), this);
    useStartupDir_ = new QCheckBox(tr("On start&up use the following directory path"), this);
    useStartupDir_->setObjectName(QStringLiteral("useStartupDir"));
    auto* pathLabel = new QLabel(tr("&Path:"), this);
    startupDirPath_ = new QLineEdit(this);
    startupDirPath_->setObjectName(QStringLiteral("startupDirPath"));
    pathLabel->setBuddy(startupDirPath_);
    // opt.ini quotes the path and has no escape for a quote inside it.
    startupDirPath_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[^\"]*")), startupDirPath_));
    startupDirPath_->setEnabled(false);
    pathLabel->setEnabled(false);
    connect(useStartupDir_, &QCheckBox::toggled, this, [this, pathLabel](bool checked) {
        startupDirPath_->setEnabled(checked);
        pathLabel->setEnabled(checked);
    });
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(pathLabel);
    pathRow->addWidget(startupDirPath_, 1);
    auto* startupLayout = new QVBoxLayout(startupGroup);
    startupLayout->addWidget(useStartupDir_);
    startupLayout->addLayout(pathRow);
    return startupGroup;
}

QGroupBox* OptionsDialog::buildHistoryGroup() {
    auto* group = new QGroupBox(tr("History"), this);
    historyOnly_ = new QCheckBox(
        tr("&Keep the undo record only in the history (no restore.dat in the folder)"), this);
    historyOnly_->setObjectName(QStringLiteral("historyOnly"));
    historyOnly_->setChecked(moreRules_.historyOnly);
    auto* batchesLabel = new QLabel(tr("Batches kept in the &history:"), this);
    historyBatches_ = new QSpinBox(this);
    historyBatches_->setObjectName(QStringLiteral("historyBatches"));
    historyBatches_->setRange(0, kMostHistoryBatches);
    batchesLabel->setBuddy(historyBatches_);
    historyBatches_->setValue(static_cast<int>(engine::historyBoundOf(moreRules_).batches));
    auto* mebibytesLabel = new QLabel(tr("Size &limit (MiB):"), this);
    historyMebibytes_ = new QSpinBox(this);
    historyMebibytes_->setObjectName(QStringLiteral("historyMebibytes"));
    historyMebibytes_->setRange(0, kMostHistoryMebibytes);
    mebibytesLabel->setBuddy(historyMebibytes_);
    // Shown within the range, as the count is: a larger value saved elsewhere is capped here.
    historyMebibytes_->setValue(static_cast<int>(std::min<std::uint64_t>(
        engine::historyBoundOf(moreRules_).bytes / (std::uint64_t{1024} * 1024),
        kMostHistoryMebibytes)));
    auto* batchesRow = new QHBoxLayout;
    batchesRow->addWidget(batchesLabel);
    batchesRow->addWidget(historyBatches_);
    batchesRow->addWidget(mebibytesLabel);
    batchesRow->addWidget(historyMebibytes_);
    batchesRow->addStretch(1);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(historyOnly_);
    layout->addLayout(batchesRow);
    return group;
}

settings::RenameSettings OptionsDialog::moreRules() const {
    settings::RenameSettings rules = moreRules_;
    rules.historyOnly = historyOnly_->isChecked();
    rules.historyBatches = std::to_string(historyBatches_->value());
    rules.historyMebibytes = std::to_string(historyMebibytes_->value());
    return rules;
}

settings::ProgramOptions OptionsDialog::options() const {
    settings::ProgramOptions options;
    FieldControls(*this, settings::programOptionsFields()).read(options);
    return options;
}

void OptionsDialog::showOptions(const settings::ProgramOptions& options) {
    FieldControls(*this, settings::programOptionsFields()).write(options);
}

void OptionsDialog::saveAndClose() {
    // A refused overwrite or a failed save has already been told; the dialog closes all the
    // same, and the caller's reload then shows what the file holds.
    settings::saveProgramOptions(fileSystem_, messages_, optionsPath_, options());
    if (!moreRulesPath_.empty()) {
        settings::saveMoreRules(fileSystem_, messages_, moreRulesPath_, moreRules());
    }
    accept();
}

}  // namespace nameshift::ui
