#include "ui/TagFieldLists.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <initializer_list>
#include <memory>

#include "platform/MessageText.h"
#include "settings/TagNamingOptions.h"
#include "ui/DisplayText.h"
#include "ui/widgets/IconPushButton.h"

namespace nameshift::ui {
namespace {

// Each item of the frame lists shows its frame in the user's language and keeps under kFrameRole
// the name ID3Opts.ini stores.
constexpr int kFrameRole = Qt::UserRole;

QListWidgetItem* frameItem(const QString& frame) {
    auto* item = new QListWidgetItem(shownFrameName(bytesOf(frame)));
    item->setData(kFrameRole, frame);
    return item;
}

QString frameOf(const QListWidgetItem& item) {
    return item.data(kFrameRole).toString();
}

// The frames ID3Opts.ini knows, in code order.
QStringList frameNames() {
    QStringList names;
    for (std::string_view name : settings::kFrameNames) {
        names << displayText(name);
    }
    return names;
}

}  // namespace

QString shownFrameName(std::string_view name) {
    return QCoreApplication::translate(platform::kMessageContext, std::string(name).c_str());
}

TagFieldLists::TagFieldLists(QWidget* parent) : QWidget(parent) {
    buildFrameLists();
    layOutControls();
}

void TagFieldLists::buildFrameLists() {
    availableLabel_ = new QLabel(tr("Avai&lable frames:"), this);
    available_ = new QListWidget(this);
    available_->setObjectName(QStringLiteral("availableFrames"));
    for (const QString& frame : frameNames()) {
        available_->addItem(frameItem(frame));
    }
    availableLabel_->setBuddy(available_);
    connect(available_, &QListWidget::itemDoubleClicked, this,
            &TagFieldLists::moveChosenToSelected);

    buildMoveButtons();

    selectedLabel_ = new QLabel(tr("S&elected frames:"), this);
    selected_ = new QListWidget(this);
    selected_->setObjectName(QStringLiteral("selectedFrames"));
    selectedLabel_->setBuddy(selected_);
    connect(selected_, &QListWidget::itemDoubleClicked, this,
            &TagFieldLists::moveChosenToAvailable);

    buildOrderButtons();
}

void TagFieldLists::buildMoveButtons() {
    allToSelected_ = makeDialogButton(QStringLiteral(">>"), QStringLiteral("allToSelected"),
                                      tr("Selects every frame (Alt+Shift+Right)"), this);
    allToSelected_->setShortcut(QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_Right));
    oneToSelected_ = makeDialogButton(QStringLiteral(">"), QStringLiteral("oneToSelected"),
                                      tr("Selects the chosen frame (Alt+Right)"), this);
    oneToSelected_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Right));
    oneToAvailable_ = makeDialogButton(QStringLiteral("<"), QStringLiteral("oneToAvailable"),
                                       tr("Takes the chosen frame out (Alt+Left)"), this);
    oneToAvailable_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));
    allToAvailable_ = makeDialogButton(QStringLiteral("<<"), QStringLiteral("allToAvailable"),
                                       tr("Takes every frame out (Alt+Shift+Left)"), this);
    allToAvailable_->setShortcut(QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_Left));
    connect(allToSelected_, &QPushButton::clicked, this, &TagFieldLists::moveAllToSelected);
    connect(oneToSelected_, &QPushButton::clicked, this, &TagFieldLists::moveChosenToSelected);
    connect(oneToAvailable_, &QPushButton::clicked, this, &TagFieldLists::moveChosenToAvailable);
    connect(allToAvailable_, &QPushButton::clicked, this, &TagFieldLists::moveAllToAvailable);
}

void TagFieldLists::buildOrderButtons() {
    const QSize arrowSize(16, 16);
    up_ = makeDialogButton(QString(), QStringLiteral("up"),
                           tr("Moves the chosen frame up (Alt+Up)"), this);
    up_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Up));
    const QIcon upIcon = style()->standardIcon(QStyle::SP_ArrowUp);
    up_->setIcons(upIcon, upIcon, arrowSize);
    up_->setAccessibleName(tr("Up"));
    down_ = makeDialogButton(QString(), QStringLiteral("down"),
                             tr("Moves the chosen frame down (Alt+Down)"), this);
    down_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Down));
    const QIcon downIcon = style()->standardIcon(QStyle::SP_ArrowDown);
    down_->setIcons(downIcon, downIcon, arrowSize);
    down_->setAccessibleName(tr("Down"));
    connect(up_, &QPushButton::clicked, this, &TagFieldLists::moveChosenUp);
    connect(down_, &QPushButton::clicked, this, &TagFieldLists::moveChosenDown);
}

void TagFieldLists::layOutControls() {
    auto* moveColumn = new QVBoxLayout;
    moveColumn->addStretch(1);
    moveColumn->addWidget(allToSelected_);
    moveColumn->addWidget(oneToSelected_);
    moveColumn->addWidget(oneToAvailable_);
    moveColumn->addWidget(allToAvailable_);
    moveColumn->addStretch(1);
    auto* orderColumn = new QVBoxLayout;
    orderColumn->addStretch(1);
    orderColumn->addWidget(up_);
    orderColumn->addWidget(down_);
    orderColumn->addStretch(1);

    // No margins of its own: the lists line up with the rest of the group they sit in.
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(availableLabel_, 0, 0);
    layout->addWidget(selectedLabel_, 0, 2);
    layout->addWidget(available_, 1, 0);
    layout->addLayout(moveColumn, 1, 1);
    layout->addWidget(selected_, 1, 2);
    layout->addLayout(orderColumn, 1, 3);
}

void TagFieldLists::showFrames(const std::vector<std::string>& selected,
                               const std::vector<std::string>& available) {
    selected_->clear();
    for (const std::string& frame : selected) {
        selected_->addItem(frameItem(displayText(frame)));
    }
    available_->clear();
    for (const std::string& frame : available) {
        available_->addItem(frameItem(displayText(frame)));
    }
}

std::vector<std::string> TagFieldLists::selectedFrames() const {
    std::vector<std::string> frames;
    frames.reserve(static_cast<std::size_t>(selected_->count()));
    for (int row = 0; row < selected_->count(); ++row) {
        frames.push_back(bytesOf(frameOf(*selected_->item(row))));
    }
    return frames;
}

void TagFieldLists::returnAllToAvailable() {
    while (selected_->count() > 0) {
        returnToAvailable(0);
    }
}

void TagFieldLists::setChoosingEnabled(bool enabled) {
    for (QWidget* control :
         std::initializer_list<QWidget*>{available_, selected_, allToSelected_, oneToSelected_,
                                         oneToAvailable_, allToAvailable_, up_, down_}) {
        control->setEnabled(enabled);
    }
}

QList<QWidget*> TagFieldLists::tabOrder() const {
    return {available_, allToSelected_, oneToSelected_, oneToAvailable_, allToAvailable_, selected_,
            up_,        down_};
}

void TagFieldLists::addAvailable(const QString& frame) {
    // The available list keeps the frames' own order, which is alphabetical in English.
    const QStringList order = frameNames();
    int row = 0;
    while (row < available_->count() &&
           order.indexOf(frameOf(*available_->item(row))) < order.indexOf(frame)) {
        ++row;
    }
    available_->insertItem(row, frameItem(frame));
}

void TagFieldLists::returnToAvailable(int row) {
    // A taken item belongs to no list; the available list gets a new item of its own.
    const std::unique_ptr<QListWidgetItem> item(selected_->takeItem(row));
    addAvailable(frameOf(*item));
}

void TagFieldLists::moveAllToSelected() {
    while (available_->count() > 0) {
        QListWidgetItem* item = available_->takeItem(0);
        selected_->addItem(item);
    }
    emit framesMoved();
}

void TagFieldLists::moveChosenToSelected() {
    const QList<QListWidgetItem*> chosen = available_->selectedItems();
    if (chosen.isEmpty()) {
        return;
    }
    const int row = available_->row(chosen.first());
    QListWidgetItem* item = available_->takeItem(row);
    item->setSelected(false);
    selected_->addItem(item);
    available_->setCurrentRow(std::min(row, available_->count() - 1));
    emit framesMoved();
}

void TagFieldLists::moveChosenToAvailable() {
    const QList<QListWidgetItem*> chosen = selected_->selectedItems();
    if (chosen.isEmpty()) {
        return;
    }
    const int row = selected_->row(chosen.first());
    returnToAvailable(row);
    selected_->setCurrentRow(std::min(row, selected_->count() - 1));
    emit framesMoved();
}

void TagFieldLists::moveAllToAvailable() {
    returnAllToAvailable();
    emit framesMoved();
}

void TagFieldLists::moveChosenUp() {
    const QList<QListWidgetItem*> chosen = selected_->selectedItems();
    if (chosen.isEmpty()) {
        return;
    }
    const int row = selected_->row(chosen.first());
    if (row == 0) {
        return;
    }
    selected_->insertItem(row - 1, selected_->takeItem(row));
    selected_->setCurrentRow(row - 1);
    emit framesMoved();
}

void TagFieldLists::moveChosenDown() {
    const QList<QListWidgetItem*> chosen = selected_->selectedItems();
    if (chosen.isEmpty()) {
        return;
    }
    const int row = selected_->row(chosen.first());
    if (row + 1 >= selected_->count()) {
        return;
    }
    selected_->insertItem(row + 1, selected_->takeItem(row));
    selected_->setCurrentRow(row + 1);
    emit framesMoved();
}

}  // namespace nameshift::ui
