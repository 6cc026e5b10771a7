#pragma once

#include <QWidget>

#include "platform/MessageBox.h"
#include "ui/CaseWarnings.h"
#include "ui/MoreRulesPanel.h"
#include "ui/RuleControls.h"

namespace nameshift::ui {

// Watches what the user puts into the rule panel: mends the texts typed into the rules' fields,
// judges the patterns as they are typed, and warns when case boxes contradict one another.
class RuleInputChecks {
public:
    // `showingRecord` is true while the panel shows a record of rules, whose texts are mended as
    // they are written.
    RuleInputChecks(QWidget& panel, const RuleControls& controls, const MoreRulesControls& more,
                    platform::MessageBox& messages, const bool& showingRecord);

private:
    void mendTexts();
    void judgePatterns();
    void checkPatterns();
    void warnAboutCase(CaseBox box, bool checked);

    QWidget& panel_;
    const RuleControls& c_;
    const MoreRulesControls& more_;
    platform::MessageBox& messages_;
    const bool& showingRecord_;
};

}  // namespace nameshift::ui
