#pragma once

#include <QLineEdit>
#include <QWidget>

#include <optional>
#include <string>
#include <vector>

#include "platform/MessageBox.h"
#include "settings/RenameSettings.h"
#include "ui/FieldBinding.h"
#include "ui/MoreRulesPanel.h"
#include "ui/RuleControls.h"
#include "ui/RuleInputChecks.h"

namespace nameshift::ui {

// The right-hand side of the main window: the rename rules and the options of the file display.
// It shows a record of rules and keeps the session's record as the controls change, enables each
// rule's fields with its box, and has what is typed checked.
class RulePanel : public QWidget {
    Q_OBJECT

public:
    explicit RulePanel(platform::MessageBox& messages, QWidget* parent = nullptr);

    const RuleControls& controls() const { return controls_; }
    MoreRulesPanel& moreRules() { return *moreRules_; }
    const MoreRulesPanel& moreRules() const { return *moreRules_; }

    // The controls into `rules`, and back.
    void readRules(settings::RenameSettings& rules) const;
    void writeRules(const settings::RenameSettings& rules);
    // The record the panel keeps as it shows it: each change of a control, and each record
    // shown, goes into `rules` at once. Its fields without a control are left as they are.
    void keepRulesIn(settings::RenameSettings& rules);
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
    void tagNamingOptionsRequested();

private:
    void buildControls();
    void buildDisplayControls();
    void layOutControls();
    void connectControls();
    void setHelpPages();

    void keepRules();

    platform::MessageBox& messages_;
    RuleControls controls_;
    MoreRulesPanel* moreRules_ = nullptr;
    // Once they are built: renset.ini's fields, then morerules.ini's.
    std::optional<FieldControls<settings::RenameSettings>> ruleFields_;
    std::optional<FieldControls<settings::RenameSettings>> moreRuleFields_;
    bool writingRules_ = false;
    settings::RenameSettings* keptRules_ = nullptr;
    std::optional<RuleInputChecks> inputChecks_;
};

}  // namespace nameshift::ui
