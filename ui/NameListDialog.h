#pragma once

#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>

#include <string>
#include <string_view>
#include <vector>

namespace nameshift::ui {

// The ticked files' names as plain text, one a line, for the user to edit or to replace with a
// list from a file or the clipboard; the lines become the files' new names, by position.
class NameListDialog : public QDialog {
    Q_OBJECT

public:
    explicit NameListDialog(const std::vector<std::string_view>& names, QWidget* parent = nullptr);

    // The dialog's title and its import button's text, which the main window's menu entries that
    // open it also show: translated once, in the dialog's own context.
    static QString editTitle() { return tr("Edit as text…"); }
    static QString importTitle() { return tr("Import names…"); }

    QPlainTextEdit* editor() const { return editor_; }
    QPushButton* importButton() const { return importButton_; }
    // The names as the lines now give them. A line left as it was shown gives its file's name
    // back byte for byte, also one that is not UTF-8, which the editor can only show.
    std::vector<std::string> names() const;
    // Puts the text of a file the user picks in place of the names.
    void importFile();

private:
    QPlainTextEdit* editor_;
    QPushButton* importButton_;
    std::vector<std::string> shown_;  // the names, and what each line showed of them
    QStringList shownLines_;
};

}  // namespace nameshift::ui
