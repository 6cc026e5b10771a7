#include "ui/HistoryDialog.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/HelpWindow.h"

namespace nameshift::ui {
namespace {

constexpr int kIdRole = Qt::UserRole;
constexpr int kUsableRole = Qt::UserRole + 1;

}  // namespace

HistoryDialog::HistoryDialog(const std::vector<engine::HistoryEntry>& entries, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(tr("History"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("historyList"));
    list_->setRootIsDecorated(false);
    list_->setHeaderLabels({tr("Batch"), tr("Time"), tr("Folder"), tr("Files"), tr("State")});
    // Newest first.
    for (std::size_t i = entries.size(); i-- > 0;) {
        const engine::HistoryEntry& entry = entries[i];
        auto* item = new QTreeWidgetItem(list_);
        item->setText(0, QString::number(entry.id));
        item->setData(0, kIdRole, QVariant::fromValue<qulonglong>(entry.id));
        const std::optional<engine::HistoryRecord>& record = entry.record;
        item->setData(0, kUsableRole,
                      record && record->state == engine::HistoryRecord::State::Done);
        if (!record) {
            item->setText(4, tr("unreadable"));
            continue;
        }
        item->setText(
            1, QLocale().toString(QDateTime::fromSecsSinceEpoch(static_cast<qint64>(record->time)),
                                  QLocale::ShortFormat));
        item->setText(2, QString::fromStdString(record->journal.directory));
        item->setText(3, QString::number(record->done.size()));
        item->setText(
            4, record->state == engine::HistoryRecord::State::Done ? tr("done") : tr("undone"));
    }
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    undo_ = buttons->addButton(tr("&Undo batch"), QDialogButtonBox::ActionRole);
    undo_->setObjectName(QStringLiteral("undoBatch"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(undo_, &QPushButton::clicked, this, [this] {
        chosen_ = list_->currentItem()->data(0, kIdRole).toULongLong();
        accept();
    });
    connect(list_, &QTreeWidget::currentItemChanged, this, &HistoryDialog::updateButton);
    if (list_->topLevelItemCount() > 0) {
        list_->setCurrentItem(list_->topLevelItem(0));
    }
    updateButton();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    resize(720, 360);
    HelpWindow::setPage(this, QStringLiteral("history.html"));
    HelpWindow::addHelpKey(this);
}

void HistoryDialog::updateButton() {
    const QTreeWidgetItem* item = list_->currentItem();
    undo_->setEnabled(item != nullptr && item->data(0, kUsableRole).toBool());
}

}  // namespace nameshift::ui
