#pragma once

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include "platform/MessageBox.h"
#include "ui/NameTemplateField.h"

namespace nameshift::ui {

// Every control of the "More rules" group, for the code that lays them out and for tests. The
// rules' controls carry the names morerules.ini's table gives them.
struct MoreRulesControls {
    // Shows and hides the group; the rule panel lays it out among its own controls, so that the
    // folded group takes no room of its own.
    QPushButton* toggle = nullptr;
    QWidget* body = nullptr;  // the group, which the toggle shows

    QCheckBox* continueCounter = nullptr;
    NameTemplateField* nameTemplate = nullptr;

    QLabel* removeStringLabel = nullptr;
    QCheckBox* removeRegex = nullptr;
    QCheckBox* removeAllOccurrences = nullptr;
    QCheckBox* removeMatchCase = nullptr;
    QLabel* replaceStringLabel = nullptr;
    QCheckBox* replaceRegex = nullptr;
    QCheckBox* replaceAllOccurrences = nullptr;
    QCheckBox* replaceMatchCase = nullptr;

    QCheckBox* insertText = nullptr;
    QLineEdit* insertTextEdit = nullptr;
    QLabel* insertAtLabel = nullptr;
    QLineEdit* insertAtEdit = nullptr;
    QCheckBox* insertFromEnd = nullptr;

    QCheckBox* removeCharacters = nullptr;
    QLineEdit* removeCountEdit = nullptr;
    QLabel* removeAtLabel = nullptr;
    QLineEdit* removeAtEdit = nullptr;
    QCheckBox* removeFromEnd = nullptr;

    QCheckBox* trimEnds = nullptr;
    QCheckBox* collapseSpaces = nullptr;
    QCheckBox* removeAccents = nullptr;
    QCheckBox* latinOnly = nullptr;

    QLabel* caseScopeLabel = nullptr;
    QButtonGroup* caseScope = nullptr;  // ids as settings::CaseScope
    QCheckBox* lowerExtension = nullptr;

    QCheckBox* numberDuplicates = nullptr;
    QLabel* dateFormatLabel = nullptr;
    QLineEdit* dateFormatEdit = nullptr;
};

// The second group of rules, folded away under its "More rules" button until the user opens it,
// so that the window first shows only the rules of old. The rule panel reads and writes its
// controls with its own through morerules.ini's table.
class MoreRulesPanel : public QWidget {
    Q_OBJECT

public:
    explicit MoreRulesPanel(platform::MessageBox& messages, QWidget* parent = nullptr);

    const MoreRulesControls& controls() const { return controls_; }

    // Puts `widget` at the top of the folded part.
    void addAtTop(QWidget* widget);
    // Enables each rule's fields with its box; the pattern options follow the Remove and Replace
    // string boxes of the rule panel.
    void applyEnablingRule(bool removeString, bool replaceString);

private:
    void buildControls();
    void layOutControls();
    void connectControls();
    void enableOwnRules();

    platform::MessageBox& messages_;
    MoreRulesControls controls_;
};

}  // namespace nameshift::ui
