#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QWidget>

namespace nameshift::ui {

// The "Name template" field of the More rules group: the template as typed, a button whose menu
// inserts a code where the cursor is, and under them what is wrong with the template, said as it
// is typed.
class NameTemplateField : public QWidget {
    Q_OBJECT

public:
    explicit NameTemplateField(QWidget* parent = nullptr);

    QLineEdit* edit() const { return edit_; }
    QToolButton* insertButton() const { return insertButton_; }
    QLabel* problem() const { return problem_; }

private:
    void showProblem();

    QLineEdit* edit_;
    QToolButton* insertButton_;
    QLabel* problem_;
};

}  // namespace nameshift::ui
