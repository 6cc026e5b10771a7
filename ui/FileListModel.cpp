#include "ui/FileListModel.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QStyle>

#include <algorithm>

#include "engine/naming/NamePath.h"
#include "ui/DisplayText.h"
#include "ui/QtMessageBox.h"

namespace nameshift::ui {

int FileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(fileList_.rowCount());
}

int FileListModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid()) {
        return 0;
    }
    return fileList_.spansFolders() ? 3 : 2;
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const bool inFolders = fileList_.spansFolders();
    if (index.column() == FolderColumn) {
        if (role != Qt::DisplayRole && role != Qt::ToolTipRole) {
            return {};
        }
        return visibleName(
            engine::folderPathOf(fileList_.row(static_cast<std::size_t>(index.row())).name));
    }
    if (index.column() == NewNameColumn) {
        const std::optional<NewName> newName = newNameOf(index.row());
        if (!newName) {
            return {};
        }
        switch (role) {
            case Qt::DisplayRole:
                return visibleName(inFolders ? engine::leafOf(*newName->name)
                                             : std::string_view(*newName->name));
            case Qt::ToolTipRole:
                // The cell may cut the name at its end: the whole of it comes before the reason.
                if (newName->problem != nullptr) {
                    return visibleName(*newName->name) + QLatin1Char('\n') +
                           QtMessageBox::translated(*newName->problem);
                }
                return visibleName(*newName->name);
            case Qt::DecorationRole:
                if (newName->problem != nullptr) {
                    return QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
                }
                return {};
            case kNameRole:
                return byteArrayOf(*newName->name);
            default:
                return {};
        }
    }
    const auto row = static_cast<std::size_t>(index.row());
    const std::string_view name = fileList_.row(row).name;
    switch (role) {
        case Qt::DisplayRole:
            return visibleName(inFolders ? engine::leafOf(name) : name);
        case Qt::ToolTipRole:
            return fileList_.isRestoreFile(row)
                       ? tr("%1: the restore file of this folder, which Restore Filenames reads. "
                            "Select all leaves it out.")
                             .arg(visibleName(name))
                       : visibleName(name);
        case Qt::DecorationRole:
            if (fileList_.isRestoreFile(row)) {
                // The restore button's own picture: the row is what that button reads.
                return QIcon(QStringLiteral(":/icons/restore.svg"));
            }
            return {};
        case Qt::FontRole:
            if (fileList_.isRestoreFile(row)) {
                QFont font;
                font.setItalic(true);
                return font;
            }
            return {};
        case kNameRole:
            return byteArrayOf(name);
        default:
            return {};
    }
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return {};
    }
    return section == NameColumn      ? tr("Name")
           : section == NewNameColumn ? tr("New Name")
                                      : tr("Folder");
}

void FileListModel::reload() {
    beginResetModel();
    plan_ = nullptr;
    endResetModel();
}

void FileListModel::newNamesChanged(int first, int last) {
    first = std::max(first, 0);
    last = std::min(last, rowCount() - 1);
    if (first <= last) {
        emit dataChanged(index(first, NewNameColumn), index(last, NewNameColumn));
    }
}

std::optional<FileListModel::NewName> FileListModel::newNameOf(int row) const {
    // A batch its rules refuse has no names to show, as one refused by its settings.
    if (plan_ == nullptr || plan_->rulesRefusal() || row < 0 || row >= rowCount() ||
        !fileList_.isTicked(static_cast<std::size_t>(row))) {
        return std::nullopt;
    }
    const std::optional<std::size_t> position = plan_->positionOfRow(static_cast<std::size_t>(row));
    if (!position || plan_->newName(*position) == nullptr) {
        return std::nullopt;
    }
    return NewName{plan_->newName(*position), plan_->problem(*position)};
}

}  // namespace nameshift::ui
