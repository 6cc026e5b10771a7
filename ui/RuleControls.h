#pragma once

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "ui/ProblemLabel.h"
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
    ProblemLabel* removeProblem = nullptr;  // why the regular expression cannot be used
    QCheckBox* replaceString = nullptr;
    QLineEdit* replaceFromEdit = nullptr;
    QLabel* withLabel = nullptr;
    QLineEdit* replaceWithEdit = nullptr;
    ProblemLabel* replaceProblem = nullptr;

    QCheckBox* lowerCase = nullptr;
    QCheckBox* upperCase = nullptr;
    QCheckBox* firstLetterUpper = nullptr;
    QCheckBox* supportId3 = nullptr;
    IconPushButton* id3Options = nullptr;

    QCheckBox* archive = nullptr;
    QCheckBox* readOnly = nullptr;
    QCheckBox* hidden = nullptr;
    QCheckBox* system = nullptr;
    QCheckBox* folders = nullptr;
    QComboBox* sortList = nullptr;
    QCheckBox* naturalOrder = nullptr;
    QComboBox* maskList = nullptr;
    QCheckBox* includeSubfolders = nullptr;
    QLineEdit* subfolderLevelsEdit = nullptr;  // empty for every level
    QLineEdit* includeFilterEdit = nullptr;
    QLineEdit* excludeFilterEdit = nullptr;
    ProblemLabel* filterProblem = nullptr;  // why a filter's regular expression cannot be used
};

}  // namespace nameshift::ui
