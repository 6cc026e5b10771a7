#pragma once

#include <QLabel>
#include <QString>

namespace nameshift::ui {

// A line of red text under a field that says what is wrong with it as the user types, where a
// message box at every keystroke would be in the way. It takes no room while all is well.
class ProblemLabel : public QLabel {
    Q_OBJECT

public:
    explicit ProblemLabel(QWidget* parent = nullptr);

    // Shows `problem`; an empty text hides the label.
    void showProblem(const QString& problem);
    // Shows why the regular expression cannot be used, when it is one and its rule is used, or
    // why `replacement` (when given) cannot replace what it finds.
    void checkPattern(bool used, const QString& pattern, bool matchCase,
                      const QString* replacement = nullptr);
};

}  // namespace nameshift::ui
