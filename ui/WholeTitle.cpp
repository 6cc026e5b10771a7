#include "ui/WholeTitle.h"

#include <QDialog>
#include <QFont>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <QStyle>

#include <algorithm>

namespace nameshift::ui {
namespace {

// The icon and the buttons a title bar shows beside the title, each about as wide as the bar
// is tall.
constexpr int kTitleBarButtons = 4;

}  // namespace

int wholeTitleWidth(const QDialog& dialog) {
    // Title bars draw their text bold more often than not.
    QFont font = dialog.font();
    font.setBold(true);
    const int bar = dialog.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &dialog);
    return QFontMetrics(font).horizontalAdvance(dialog.windowTitle()) +
           kTitleBarButtons * std::max(bar, QFontMetrics(font).height());
}

void keepTitleWhole(QDialog& dialog) {
    const int width = wholeTitleWidth(dialog);
    // A message box sizes itself to its text as it is shown, whatever its minimum width; a row
    // of its own layout as wide as the title is what it keeps.
    if (auto* box = qobject_cast<QMessageBox*>(&dialog)) {
        if (auto* grid = qobject_cast<QGridLayout*>(box->layout())) {
            grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                          grid->rowCount(), 0, 1, grid->columnCount());
        }
        return;
    }
    dialog.setMinimumWidth(std::max(dialog.minimumWidth(), width));
}

}  // namespace nameshift::ui
