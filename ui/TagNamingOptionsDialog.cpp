#include "ui/TagNamingOptionsDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <string>
#include <utility>

#include "engine/naming/EditCorrections.h"
#include "settings/Id3OptionsFile.h"
#include "settings/RenameSettings.h"
#include "ui/DisplayText.h"
#include "ui/HelpWindow.h"
#include "ui/TagCodeLegend.h"
#include "ui/TagFieldLists.h"
#include "ui/widgets/IconPushButton.h"

namespace nameshift::ui {
namespace {

constexpr int kAdvancedFormatLimit = static_cast<int>(settings::kLongestId3Format);

}  // namespace

TagNamingOptionsDialog::TagNamingOptionsDialog(platform::FileSystem& fileSystem,
                                               platform::MessageBox& messages,
                                               std::string id3OptionsPath, QWidget* parent)
    : QDialog(parent),
      fileSystem_(fileSystem),
      messages_(messages),
      id3OptionsPath_(std::move(id3OptionsPath)) {
    buildControls();
    HelpWindow::setPage(this, QStringLiteral("id3.html"));
    HelpWindow::addHelpKey(this);
    showState(settings::loadId3Options(fileSystem_, messages_, id3OptionsPath_));
}

void TagNamingOptionsDialog::buildControls() {
    setWindowTitle(tr("ID3 Options"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    // Made in the order of the window from top to bottom, which the tab order follows too.
    QGroupBox* renameGroup = buildRenameModeGroup();
    buildModeButtons();
    buildFrameLists();
    QHBoxLayout* separatorRow = buildSeparatorRow();
    QGroupBox* basicGroup = layOutBasicGroup(separatorRow);
    QGroupBox* advancedGroup = buildAdvancedGroup();
    QGroupBox* legendGroup = new TagCodeLegend(this);
    QHBoxLayout* exampleRow = buildExampleRow();
    QHBoxLayout* buttonRow = buildButtonRow();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(renameGroup);
    layout->addWidget(basicGroup);
    layout->addWidget(advancedGroup);
    layout->addWidget(legendGroup);
    layout->addLayout(exampleRow);
    layout->addLayout(buttonRow);
    setTabOrderTopToBottom();
}

QGroupBox* TagNamingOptionsDialog::buildRenameModeGroup() {
    auto* renameGroup = new QGroupBox(tr("Rename Mode"), this);
    auto* renameLayout = new QVBoxLayout(renameGroup);
    renameModeGroup_ = new QButtonGroup(this);
    const QString renameTexts[] = {
        tr("&Only rename if ALL specified frames are present, in the ID3 tag, "
           "otherwise use alternate renaming options"),
        tr("&If ALL specified frames are NOT present, in the ID3 tag,  do not rename "
           "the file at all"),
        tr("Rename to &what ever specified frames, in the ID3 tag, are present"),
    };
    for (int mode = 0; mode < 3; ++mode) {
        auto* radio = new QRadioButton(renameTexts[mode], this);
        radio->setObjectName(QStringLiteral("renameMode%1").arg(mode));
        renameModeGroup_->addButton(radio, mode);
        renameLayout->addWidget(radio);
    }
    return renameGroup;
}

void TagNamingOptionsDialog::buildModeButtons() {
    auto* modeButtons = new QButtonGroup(this);
    basicMode_ = new QRadioButton(tr("Use &Basic ID3 Options"), this);
    basicMode_->setObjectName(QStringLiteral("basicMode"));
    advancedMode_ = new QRadioButton(tr("Use A&dvanced ID3 Options"), this);
    advancedMode_->setObjectName(QStringLiteral("advancedMode"));
    modeButtons->addButton(basicMode_, 0);
    modeButtons->addButton(advancedMode_, 1);
    connect(modeButtons, &QButtonGroup::idClicked, this, [this] {
        applyModeEnabling();
        rebuild();
    });
}

void TagNamingOptionsDialog::buildFrameLists() {
    frameLists_ = new TagFieldLists(this);
    connect(frameLists_, &TagFieldLists::framesMoved, this, [this] { rebuild(); });
}

QHBoxLayout* TagNamingOptionsDialog::buildSeparatorRow() {
    useSeparators_ = new QCheckBox(tr("Use &Separators"), this);
    useSeparators_->setObjectName(QStringLiteral("useSeparators"));
    connect(useSeparators_, &QCheckBox::clicked, this, [this] {
        applyModeEnabling();
        // The example follows the box at once; a stale example would show a name the options
        // no longer give.
        rebuild();
    });
    separatorGroup_ = new QButtonGroup(this);
    const QString separatorTexts[] = {tr("S&paces"), tr("&Hyphens"), tr("&Underscores")};
    const QString separatorNames[] = {QStringLiteral("spaces"), QStringLiteral("hyphens"),
                                      QStringLiteral("underscores")};
    auto* separatorRow = new QHBoxLayout;
    separatorRow->addWidget(useSeparators_);
    for (int separator = 0; separator < 3; ++separator) {
        auto* radio = new QRadioButton(separatorTexts[separator], this);
        radio->setObjectName(separatorNames[separator]);
        separatorGroup_->addButton(radio, separator);
        separatorRow->addWidget(radio);
    }
    separatorRow->addStretch(1);
    connect(separatorGroup_, &QButtonGroup::idClicked, this, [this] { rebuild(); });
    return separatorRow;
}

QGroupBox* TagNamingOptionsDialog::layOutBasicGroup(QHBoxLayout* separatorRow) {
    auto* basicGroup = new QGroupBox(this);
    auto* basicLayout = new QGridLayout(basicGroup);
    basicLayout->addWidget(basicMode_, 0, 0);
    basicLayout->addWidget(frameLists_, 1, 0);
    basicLayout->addLayout(separatorRow, 2, 0);
    return basicGroup;
}

QGroupBox* TagNamingOptionsDialog::buildAdvancedGroup() {
    auto* advancedGroup = new QGroupBox(this);
    auto* advancedLayout = new QGridLayout(advancedGroup);
    auto* formatLabel = new QLabel(tr("&Format:"), this);
    advancedFormat_ = new QLineEdit(this);
    advancedFormat_->setObjectName(QStringLiteral("advancedFormat"));
    advancedFormat_->setMaxLength(kAdvancedFormatLimit);
    formatLabel->setBuddy(advancedFormat_);
    connect(advancedFormat_, &QLineEdit::textChanged, this, [this] { rebuild(); });
    advancedLayout->addWidget(advancedMode_, 0, 0, 1, 2);
    advancedLayout->addWidget(formatLabel, 1, 0);
    advancedLayout->addWidget(advancedFormat_, 1, 1);
    return advancedGroup;
}

QHBoxLayout* TagNamingOptionsDialog::buildExampleRow() {
    auto* exampleLabel = new QLabel(tr("Example Tag Result:"), this);
    example_ = new QLineEdit(this);
    example_->setObjectName(QStringLiteral("example"));
    example_->setEnabled(false);
    auto* exampleRow = new QHBoxLayout;
    exampleRow->addWidget(exampleLabel);
    exampleRow->addWidget(example_, 1);
    return exampleRow;
}

QHBoxLayout* TagNamingOptionsDialog::buildButtonRow() {
    restoreButton_ =
        makeDialogButton(tr("&Restore Defaults"), QStringLiteral("restoreDefaults"),
                         tr("Puts back the options a new installation starts with"), this);
    restoreButton_->setIcons(QStringLiteral(":/icons/restore.svg"));
    connect(restoreButton_, &QPushButton::clicked, this, &TagNamingOptionsDialog::restoreDefaults);
    okButton_ = makeDialogButton(tr("OK"), QStringLiteral("ok"),
                                 tr("Saves the options in ID3Opts.ini and closes the "
                                    "window"),
                                 this);
    okButton_->setIcons(QStringLiteral(":/icons/ok.svg"));
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, &TagNamingOptionsDialog::accept);
    cancelButton_ = makeDialogButton(tr("&Cancel"), QStringLiteral("cancel"),
                                     tr("Closes the window without saving"), this);
    cancelButton_->setIcons(QStringLiteral(":/icons/cancel.svg"));
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(restoreButton_);
    buttonRow->addStretch(1);
    buttonRow->addWidget(okButton_);
    buttonRow->addWidget(cancelButton_);
    return buttonRow;
}

void TagNamingOptionsDialog::setTabOrderTopToBottom() {
    // Tab follows the window from top to bottom, though the two mode buttons were made together.
    QList<QWidget*> tabOrder;
    for (QAbstractButton* radio : renameModeGroup_->buttons()) {
        tabOrder << radio;
    }
    tabOrder << basicMode_ << frameLists_->tabOrder() << useSeparators_;
    for (QAbstractButton* radio : separatorGroup_->buttons()) {
        tabOrder << radio;
    }
    tabOrder << advancedMode_ << advancedFormat_ << restoreButton_ << okButton_ << cancelButton_;
    for (qsizetype i = 1; i < tabOrder.size(); ++i) {
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    }
}

void TagNamingOptionsDialog::showState(const settings::TagNamingDialogState& state) {
    if (state.renameMode) {
        if (QAbstractButton* radio =
                renameModeGroup_->button(settings::indexOf(*state.renameMode))) {
            radio->setChecked(true);
        }
    }
    // The file stores basic or advanced as one of two digits, so a file that says neither is
    // saved back as basic: the dialog shows it so.
    (state.useAdvanced.value_or(false) ? advancedMode_ : basicMode_)->setChecked(true);

    frameLists_->showFrames(state.selectedFrames, state.availableFrames);
    useSeparators_->setChecked(state.useSeparators);
    if (state.separator) {
        if (QAbstractButton* radio = separatorGroup_->button(settings::indexOf(*state.separator))) {
            radio->setChecked(true);
        }
    }
    {
        const QSignalBlocker blocker(advancedFormat_);
        advancedFormat_->setText(displayText(state.advancedFormat));
    }
    applyModeEnabling();
    rebuild();
}

settings::TagNamingOptions TagNamingOptionsDialog::options() const {
    settings::TagNamingOptions options;
    options.renameMode = settings::choiceAt<settings::Id3RenameMode>(renameModeGroup_->checkedId());
    options.useAdvanced = advancedMode_->isChecked();
    options.selectedFrames = frameLists_->selectedFrames();
    options.useSeparators = useSeparators_->isChecked();
    options.separator = settings::choiceAt<settings::Id3Separator>(separatorGroup_->checkedId());
    options.advancedFormat = bytesOf(advancedFormat_->text());
    return options;
}

QString TagNamingOptionsDialog::exampleText() const {
    return example_->text();
}

void TagNamingOptionsDialog::applyModeEnabling() {
    const bool basic = !advancedMode_->isChecked();
    frameLists_->setChoosingEnabled(basic);
    useSeparators_->setEnabled(basic);
    for (QAbstractButton* radio : separatorGroup_->buttons()) {
        radio->setEnabled(basic && useSeparators_->isChecked());
    }
    advancedFormat_->setEnabled(!basic);
}

void TagNamingOptionsDialog::rebuild() {
    if (advancedMode_->isChecked()) {
        removeInvalidCharacters();
        workingFormat_ = bytesOf(advancedFormat_->text());
    } else {
        workingFormat_ = settings::basicFormat(options());
    }
    example_->setText(displayText(exampleTagResult(workingFormat_)));
}

void TagNamingOptionsDialog::removeInvalidCharacters() {
    for (;;) {
        QString text = advancedFormat_->text();
        const std::string bytes = bytesOf(text);
        const std::optional<engine::EditCorrection> correction = engine::correctId3Format(bytes);
        if (!correction) {
            return;
        }
        messages_.show(correction->message);
        // The character taken out is ASCII, so the bytes before it are whole characters.
        const qsizetype at = displayText(bytes.substr(0, correction->removedAt)).size();
        const int cursor = advancedFormat_->cursorPosition();
        text.remove(at, 1);
        const QSignalBlocker blocker(advancedFormat_);
        advancedFormat_->setText(text);
        advancedFormat_->setCursorPosition(at < cursor ? cursor - 1 : cursor);
    }
}

void TagNamingOptionsDialog::restoreDefaults() {
    if (!messages_.ask(NS_MESSAGE("Message", "Are you sure?"), NS_MESSAGE("Message", "Warning!"))) {
        return;
    }
    const settings::TagNamingOptions defaults;
    renameModeGroup_->button(settings::indexOf(defaults.renameMode))->setChecked(true);
    basicMode_->setChecked(true);
    useSeparators_->setChecked(defaults.useSeparators);
    separatorGroup_->button(settings::indexOf(defaults.separator))->setChecked(true);
    frameLists_->returnAllToAvailable();
    {
        const QSignalBlocker blocker(advancedFormat_);
        advancedFormat_->clear();
    }
    applyModeEnabling();
    // The example shows what the restored options give, not what was there before.
    rebuild();
}

void TagNamingOptionsDialog::accept() {
    const settings::TagNamingOptions chosen = options();
    const bool unspecified =
        chosen.useAdvanced ? chosen.advancedFormat.empty() : chosen.selectedFrames.empty();
    if (unspecified) {
        messages_.show(platform::Message{NS_MESSAGE("Message",
                                                    "ID3 options are not specified, please "
                                                    "specify format options."),
                                         NS_MESSAGE("Message", "Invalid Format"),
                                         platform::Icon::Stop, platform::Buttons::Ok});
        return;
    }
    // A failed save has been told; the dialog closes all the same and the caller's reload shows
    // what the file holds.
    settings::saveId3Options(fileSystem_, messages_, id3OptionsPath_, chosen);
    QDialog::accept();
}

}  // namespace nameshift::ui
