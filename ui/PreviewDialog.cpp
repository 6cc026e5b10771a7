#include "ui/PreviewDialog.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QVBoxLayout>

#include <algorithm>

#include "ui/DisplayText.h"
#include "ui/WindowPlacement.h"

namespace nameshift::ui {

// The pairs as two columns, decoded once when the list is filled: a preview of many thousand
// files must open at once, and scrolling must not decode again.
class PreviewPairsModel final : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setPairs(QStringList oldNames, QStringList newNames) {
        beginResetModel();
        oldNames_ = std::move(oldNames);
        newNames_ = std::move(newNames);
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : static_cast<int>(oldNames_.size());
    }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : 2;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || role != Qt::DisplayRole) {
            return {};
        }
        return index.column() == 0 ? oldNames_.at(index.row()) : newNames_.at(index.row());
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal) {
            return {};
        }
        if (role == Qt::DisplayRole) {
            return section == 0 ? PreviewDialog::tr("Old Filename")
                                : PreviewDialog::tr("New Filename");
        }
        if (role == Qt::TextAlignmentRole) {
            return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
        }
        return {};
    }

private:
    QStringList oldNames_;
    QStringList newNames_;
};

PreviewDialog::PreviewDialog(QWidget* parent, ModalRunner runner)
    : QDialog(parent),
      runner_(std::move(runner)),
      model_(new PreviewPairsModel(this)),
      list_(new QTreeView(this)),
      closeButton_(new IconPushButton(tr("&Close Window"), this)) {
    setWindowTitle(tr("Preview"));
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    list_->setModel(model_);
    list_->setRootIsDecorated(false);
    list_->setItemsExpandable(false);
    list_->setUniformRowHeights(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setTextElideMode(Qt::ElideNone);
    QHeaderView* header = list_->header();
    header->setMinimumSectionSize(0);
    header->setStretchLastSection(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->resizeSection(0, 0);
    header->resizeSection(1, 0);

    closeButton_->setIcons(QStringLiteral(":/icons/exit.svg"));
    closeButton_->setDefault(true);
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addWidget(closeButton_, 0, Qt::AlignHCenter);
    resize(560, 380);
}

PreviewDialog::~PreviewDialog() = default;

void PreviewDialog::addPair(const std::string& oldName, const std::string& newName) {
    oldNames_.push_back(oldName);
    newNames_.push_back(newName);
}

void PreviewDialog::fillList() {
    QHeaderView* header = list_->header();
    if (oldNames_.empty()) {
        model_->setPairs({}, {});
        header->resizeSection(0, 0);
        header->resizeSection(1, 0);
        return;
    }
    const QFontMetrics metrics = list_->fontMetrics();
    QStringList oldShown;
    QStringList newShown;
    oldShown.reserve(static_cast<qsizetype>(oldNames_.size()));
    newShown.reserve(static_cast<qsizetype>(newNames_.size()));
    int widestOld = metrics.horizontalAdvance(tr("Old FileName"));
    int widestNew = metrics.horizontalAdvance(tr("New FileName"));
    for (std::size_t i = 0; i < oldNames_.size(); ++i) {
        oldShown.push_back(displayText(oldNames_[i]));
        newShown.push_back(displayText(newNames_[i]));
        widestOld = std::max(widestOld, metrics.horizontalAdvance(oldShown.back()));
        widestNew = std::max(widestNew, metrics.horizontalAdvance(newShown.back()));
    }
    model_->setPairs(std::move(oldShown), std::move(newShown));
    header->resizeSection(0, widestOld + kColumnMargin);
    header->resizeSection(1, widestNew + kColumnMargin);
}

void PreviewDialog::show() {
    fillList();
    placeWindow(*this, parentWidget());
    runModal(runner_, *this);
}

}  // namespace nameshift::ui
