#include "ui/NameListDialog.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFontDatabase>
#include <QVBoxLayout>

#include "ui/DisplayText.h"

namespace nameshift::ui {

NameListDialog::NameListDialog(const std::vector<std::string_view>& names, QWidget* parent)
    : QDialog(parent), editor_(new QPlainTextEdit(this)), importButton_(new QPushButton(this)) {
    setWindowTitle(editTitle());
    editor_->setLineWrapMode(QPlainTextEdit::NoWrap);
    editor_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // Each name on one line as the list shows it, a line break in it as a sign of its own.
    QStringList lines;
    for (const std::string_view name : names) {
        shown_.emplace_back(name);
        lines << visibleName(name);
    }
    shownLines_ = lines;
    editor_->setPlainText(lines.join(QLatin1Char('\n')));
    importButton_->setText(importTitle());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->addButton(importButton_, QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(importButton_, &QPushButton::clicked, this, &NameListDialog::importFile);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(editor_);
    layout->addWidget(buttons);
    resize(560, 420);
}

std::vector<std::string> NameListDialog::names() const {
    QStringList lines = editor_->toPlainText().split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.back().isEmpty()) {
        lines.removeLast();  // the line break that ends the last name
    }
    std::vector<std::string> names;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const auto at = static_cast<std::size_t>(i);
        if (i < shownLines_.size() && lines[i] == shownLines_[i]) {
            names.push_back(shown_[at]);
        } else {
            names.push_back(lines[i].toUtf8().toStdString());
        }
    }
    return names;
}

void NameListDialog::importFile() {
    const QString path = QFileDialog::getOpenFileName(this, importTitle());
    QFile file(path);
    if (!path.isEmpty() && file.open(QIODevice::ReadOnly)) {
        editor_->setPlainText(QString::fromUtf8(file.readAll()));
    }
}

}  // namespace nameshift::ui
