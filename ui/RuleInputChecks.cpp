#include "ui/RuleInputChecks.h"

#include <optional>
#include <utility>

#include "engine/naming/PatternRule.h"
#include "ui/DisplayText.h"
#include "ui/EditCorrections.h"

namespace nameshift::ui {

RuleInputChecks::RuleInputChecks(QWidget& panel, const RuleControls& controls,
                                 const MoreRulesControls& more, platform::MessageBox& messages,
                                 const bool& showingRecord)
    : panel_(panel), c_(controls), more_(more), messages_(messages), showingRecord_(showingRecord) {
    QObject::connect(c_.lowerCase, &QCheckBox::clicked, &panel_,
                     [this](bool checked) { warnAboutCase(CaseBox::Lower, checked); });
    QObject::connect(c_.upperCase, &QCheckBox::clicked, &panel_,
                     [this](bool checked) { warnAboutCase(CaseBox::Upper, checked); });
    QObject::connect(c_.firstLetterUpper, &QCheckBox::clicked, &panel_,
                     [this](bool checked) { warnAboutCase(CaseBox::FirstLetter, checked); });
    mendTexts();
    judgePatterns();
}

void RuleInputChecks::mendTexts() {
    for (QLineEdit* edit : {c_.prefixEdit, c_.extensionEdit, c_.replaceWithEdit}) {
        QObject::connect(edit, &QLineEdit::textChanged, &panel_,
                         [this, edit] { mendTypedText(messages_, edit, &correctNameText); });
    }
    // A regular expression is no part of a name: it may hold what names may not ("\\d+", "a|b").
    // Taken literally again, it is mended as if typed.
    for (const auto& pattern : {std::pair{c_.removeStringEdit, more_.removeRegex},
                                std::pair{c_.replaceFromEdit, more_.replaceRegex}}) {
        QLineEdit* edit = pattern.first;
        QCheckBox* regex = pattern.second;
        const auto mendUnlessPattern = [this, edit, regex] {
            if (!regex->isChecked()) {
                mendTypedText(messages_, edit, &correctNameText);
            }
        };
        QObject::connect(edit, &QLineEdit::textChanged, &panel_, mendUnlessPattern);
        QObject::connect(regex, &QCheckBox::toggled, &panel_, [this, mendUnlessPattern] {
            // Rules being shown bring their own texts, mended as those are written.
            if (!showingRecord_) {
                mendUnlessPattern();
            }
        });
    }
    QObject::connect(c_.counterIncrementEdit, &QLineEdit::textChanged, &panel_, [this] {
        mendTypedText(messages_, c_.counterIncrementEdit, &correctCounterIncrement);
    });
    QObject::connect(c_.counterStartEdit, &QLineEdit::textChanged, &panel_, [this] {
        mendTypedText(messages_, c_.counterStartEdit, &correctCounterStart);
    });
}

void RuleInputChecks::judgePatterns() {
    // A pattern is judged as it is typed, and again when its options change.
    for (QLineEdit* edit : {c_.removeStringEdit, c_.replaceFromEdit, c_.replaceWithEdit,
                            c_.includeFilterEdit, c_.excludeFilterEdit}) {
        QObject::connect(edit, &QLineEdit::textChanged, &panel_, [this] { checkPatterns(); });
    }
    for (QCheckBox* box : {c_.removeString, c_.replaceString, more_.removeRegex,
                           more_.removeMatchCase, more_.replaceRegex, more_.replaceMatchCase}) {
        QObject::connect(box, &QCheckBox::toggled, &panel_, [this] { checkPatterns(); });
    }
}

void RuleInputChecks::checkPatterns() {
    c_.removeProblem->checkPattern(c_.removeString->isChecked() && more_.removeRegex->isChecked(),
                                   c_.removeStringEdit->text(), more_.removeMatchCase->isChecked());
    const QString replacement = c_.replaceWithEdit->text();
    c_.replaceProblem->checkPattern(
        c_.replaceString->isChecked() && more_.replaceRegex->isChecked(),
        c_.replaceFromEdit->text(), more_.replaceMatchCase->isChecked(), &replacement);
    // The one line under both filters tells of the first that cannot be used.
    const QLineEdit* filter = c_.includeFilterEdit;
    if (engine::patternProblem(bytesOf(filter->text()), true) == std::nullopt) {
        filter = c_.excludeFilterEdit;
    }
    c_.filterProblem->checkPattern(!filter->text().isEmpty(), filter->text(), true);
}

void RuleInputChecks::warnAboutCase(CaseBox box, bool checked) {
    if (!checked) {
        return;
    }
    const std::optional<platform::MessageText> warning =
        caseWarningText(box, c_.lowerCase->isChecked(), c_.upperCase->isChecked(),
                        c_.firstLetterUpper->isChecked());
    if (warning) {
        messages_.show(*warning, kCaseWarningCaption, platform::Icon::Information);
    }
}

}  // namespace nameshift::ui
