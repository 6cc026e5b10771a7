#pragma once

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

#include <optional>
#include <string>
#include <vector>

#include "platform/MessageBox.h"
#include "settings/RenameSettings.h"
#include "ui/CaseWarnings.h"
#include "ui/EditCorrections.h"
#include "ui/widgets/IconPushButton.h"

namespace nameshift::ui {

// Every control of the rule panel, for the code that lays them out and for tests.
struct RuleControls {
    QCheckBox* changePrefix = nullptr;
    QLabel* prefixToLabel = nullptr;
    QLineEdit* prefixEdit = nullptr;
    QLabel* addPrefixLabel = nullptr;
    QButtonGroup* prefixPosition = nullptr;

    QCheckBox* useCounter = nullptr;
    QLabel* counterStartLabel = nullptr;
    QLineEdit* counterStartEdit = nullptr;
    QLabel* counterIncrementLabel = nullptr;
    QLineEdit* counterIncrementEdit = nullptr;
    QLabel* useLabel = nullptr;
    QComboBox* counterDigits = nullptr;
    QLabel* digitsLabel = nullptr;
    QButtonGroup* counterPosition = nullptr;

    QCheckBox* changeExtension = nullptr;
    QLabel* extensionToLabel = nullptr;
    QLineEdit* extensionEdit = nullptr;
    QLabel* addExtensionLabel = nullptr;
    QButtonGroup* extensionPosition = nullptr;

    QCheckBox* removeSpaces = nullptr;
    QCheckBox* removeBrackets = nullptr;
    QCheckBox* removeTildes = nullptr;
    QCheckBox* removeHyphens = nullptr;
    QCheckBox* removeString = nullptr;
    QLineEdit* removeStringEdit = nullptr;
    QCheckBox* replaceString = nullptr;
    QLineEdit* replaceFromEdit = nullptr;
    QLabel* withLabel = nullptr;
    QLineEdit* replaceWithEdit = nullptr;

    QCheckBox* lowerCase = nullptr;
    QCheckBox* upperCase = nullptr;
    QCheckBox* firstLetterUpper = nullptr;
    QCheckBox* supportId3 = nullptr;
    IconPushButton* id3Options = nullptr;

    QCheckBox* archive = nullptr;
    QCheckBox* readOnly = nullptr;
    QCheckBox* hidden = nullptr;
    QCheckBox* system = nullptr;
    QComboBox* sortList = nullptr;
    QComboBox* maskList = nullptr;
};

// The right-hand side of the main window: the rename rules and the options of the file display.
// It shows a record of rules and reads it back, enables each rule's fields with its box, mends
// what is typed into the fields, and warns when case boxes contradict one another.
class RulePanel : public QWidget {
    Q_OBJECT

public:
    explicit RulePanel(platform::MessageBox& messages, QWidget* parent = nullptr);

    const RuleControls& controls() const { return controls_; }

    // The controls into `rules`, and back.
    void readRules(settings::RenameSettings& rules) const;
    void writeRules(const settings::RenameSettings& rules);
    void applyEnablingRule();

    // The file masks the listing offers, with the one applied; choosing one leaves it to the
    // listing to apply it.
    void showMasks(const std::vector<std::string>& masks, int chosen);
    int chosenMask() const;

signals:
    // A control that may change the new names has changed.
    void rulesChanged();
    // The attribute mask, the sort order or the file mask was chosen anew: the list must be
    // filled again.
    void displayChanged();
    void id3OptionsRequested();

private:
    void buildControls();
    void layOutControls();
    void connectControls();
    void setHelpPages();

    void warnAboutCase(CaseBox box, bool checked);
    void validateEdit(QLineEdit* edit, std::optional<EditCorrection> (*correct)(const QString&));

    platform::MessageBox& messages_;
    RuleControls controls_;
};

}  // namespace nameshift::ui
