#pragma once

#include <QDialog>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "settings/TagNamingDialogState.h"
#include "settings/TagNamingOptions.h"
#include "ui/TagCodeLegend.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QHBoxLayout;
class QLineEdit;
class QRadioButton;

namespace nameshift::ui {

class IconPushButton;
class TagFieldLists;

// Edits how names are built from ID3 tags and keeps them in ID3Opts.ini: the rename mode, the
// basic options (frames picked into an ordered list, joined by an optional separator) or the
// advanced free format, with the name the choice gives for an example tag. It reads the file when
// it is made and writes it only on OK; the caller reads the file again however it closes.
class TagNamingOptionsDialog : public QDialog {
    Q_OBJECT

public:
    TagNamingOptionsDialog(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                           std::string id3OptionsPath, QWidget* parent = nullptr);

    // The options as the controls show them now; a radio group with nothing chosen gives none.
    settings::TagNamingOptions options() const;
    // The format the example shows: the basic format, or the last advanced format that was free
    // of invalid characters.
    const std::string& workingFormat() const { return workingFormat_; }
    QString exampleText() const;

    void restoreDefaults();
    // OK: refuses options that name no frame and no format, else saves them and closes.
    void accept() override;

private:
    void buildControls();
    QGroupBox* buildRenameModeGroup();
    void buildModeButtons();
    void buildFrameLists();
    QHBoxLayout* buildSeparatorRow();
    QGroupBox* layOutBasicGroup(QHBoxLayout* separatorRow);
    QGroupBox* buildAdvancedGroup();
    QHBoxLayout* buildExampleRow();
    QHBoxLayout* buildButtonRow();
    void setTabOrderTopToBottom();
    void showState(const settings::TagNamingDialogState& state);
    void applyModeEnabling();
    void rebuild();
    // Removes the invalid file name characters from the advanced format, one per message.
    void removeInvalidCharacters();

    platform::FileSystem& fileSystem_;
    platform::MessageBox& messages_;
    std::string id3OptionsPath_;
    std::string workingFormat_;

    QButtonGroup* renameModeGroup_ = nullptr;
    QRadioButton* basicMode_ = nullptr;
    QRadioButton* advancedMode_ = nullptr;
    TagFieldLists* frameLists_ = nullptr;
    QCheckBox* useSeparators_ = nullptr;
    QButtonGroup* separatorGroup_ = nullptr;
    QLineEdit* advancedFormat_ = nullptr;
    QLineEdit* example_ = nullptr;
    IconPushButton* restoreButton_ = nullptr;
    IconPushButton* okButton_ = nullptr;
    IconPushButton* cancelButton_ = nullptr;
};

}  // namespace nameshift::ui
