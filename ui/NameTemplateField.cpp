#include "ui/NameTemplateField.h"

#include <QGridLayout>
#include <QMenu>

#include <variant>

#include "engine/naming/NameTemplate.h"
#include "ui/QtMessageBox.h"

namespace nameshift::ui {
namespace {

// The codes the menu offers, a group a submenu.
struct CodeGroup {
    const char* title;
    std::initializer_list<const char*> codes;
};

}  // namespace

NameTemplateField::NameTemplateField(QWidget* parent)
    : QWidget(parent),
      edit_(new QLineEdit(this)),
      insertButton_(new QToolButton(this)),
      problem_(new QLabel(this)) {
    edit_->setObjectName(QStringLiteral("nameTemplateEdit"));
    edit_->setMaxLength(255);
    edit_->setPlaceholderText(QStringLiteral("{taken:%Y-%m-%d} {n:3}"));
    auto* label = new QLabel(tr("Name template:"), this);
    label->setBuddy(edit_);
    insertButton_->setText(tr("Insert code"));
    insertButton_->setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(insertButton_);
    const CodeGroup groups[] = {
        {QT_TR_NOOP("Counter"), {"{n}", "{n:3}", "{n:3,start=10,step=5}"}},
        {QT_TR_NOOP("File"), {"{name}", "{ext}"}},
        {QT_TR_NOOP("Tags"),
         {"{artist}", "{album}", "{title}", "{track:2}", "{disc:2}", "{year}", "{genre}",
          "{albumartist}", "{composer}"}},
        {QT_TR_NOOP("Dates"), {"{taken:%Y-%m-%d}", "{modified}", "{born}"}},
        {QT_TR_NOOP("Photo and Recording"), {"{camera}", "{size}", "{duration}"}},
    };
    for (const CodeGroup& group : groups) {
        QMenu* codes = menu->addMenu(tr(group.title));
        for (const char* code : group.codes) {
            const QString text = QString::fromLatin1(code);
            connect(codes->addAction(text), &QAction::triggered, edit_,
                    [this, text] { edit_->insert(text); });
        }
    }
    insertButton_->setMenu(menu);
    problem_->setObjectName(QStringLiteral("nameTemplateProblem"));
    problem_->setWordWrap(true);
    problem_->hide();
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label, 0, 0);
    layout->addWidget(edit_, 0, 1);
    layout->addWidget(insertButton_, 0, 2);
    layout->addWidget(problem_, 1, 1, 1, 2);
    layout->setColumnStretch(1, 1);
    connect(edit_, &QLineEdit::textChanged, this, &NameTemplateField::showProblem);
}

void NameTemplateField::showProblem() {
    const auto parsed = engine::NameTemplate::parse(edit_->text().toStdString());
    const auto* refusal = std::get_if<platform::MessageText>(&parsed);
    problem_->setText(refusal != nullptr ? QtMessageBox::translated(*refusal) : QString());
    problem_->setVisible(refusal != nullptr);
}

}  // namespace nameshift::ui
