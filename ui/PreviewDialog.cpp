#include "ui/PreviewDialog.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <limits>
#include <unordered_map>
#include <utility>
#include <vector>

#include "ui/DisplayText.h"
#include "ui/HelpWindow.h"
#include "ui/QtMessageBox.h"
#include "ui/WindowPlacement.h"

namespace nameshift::ui {

// The pairs as two columns, decoded once when the list is filled: a preview of many thousand
// files must open at once, and scrolling must not decode again.
class PreviewPairsModel final : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    // `problems` is empty when every file passes, and then no reason column is shown.
    void setPairs(QStringList oldNames, QStringList newNames, QStringList problems) {
        beginResetModel();
        oldNames_ = std::move(oldNames);
        newNames_ = std::move(newNames);
        problems_ = std::move(problems);
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : static_cast<int>(oldNames_.size());
    }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override {
        if (parent.isValid()) {
            return 0;
        }
        return problems_.isEmpty() ? 2 : 3;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) {
            return {};
        }
        const int row = index.row();
        const bool marked = !problems_.isEmpty() && !problems_.at(row).isEmpty();
        switch (index.column()) {
            // A column narrowed by the user cuts its texts at the end; the tooltip has them whole.
            case PreviewDialog::kOldNameColumn:
                return role == Qt::DisplayRole || role == Qt::ToolTipRole
                           ? QVariant(oldNames_.at(row))
                           : QVariant();
            case PreviewDialog::kNewNameColumn:
                if (role == Qt::DisplayRole) {
                    return newNames_.at(row);
                }
                // The same marker as the main window's New Name column.
                if (role == Qt::DecorationRole && marked) {
                    return QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
                }
                if (role == Qt::ToolTipRole) {
                    return marked ? newNames_.at(row) + QLatin1Char('\n') + problems_.at(row)
                                  : newNames_.at(row);
                }
                return {};
            default:
                return (role == Qt::DisplayRole || role == Qt::ToolTipRole) && marked
                           ? QVariant(problems_.at(row))
                           : QVariant();
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal) {
            return {};
        }
        if (role == Qt::DisplayRole) {
            switch (section) {
                case PreviewDialog::kOldNameColumn:
                    return PreviewDialog::tr("Old Filename");
                case PreviewDialog::kNewNameColumn:
                    return PreviewDialog::tr("New Filename");
                default:
                    return PreviewDialog::tr("Reason");
            }
        }
        if (role == Qt::TextAlignmentRole) {
            return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
        }
        return {};
    }

    const QStringList& reasons() const { return problems_; }

private:
    QStringList oldNames_;
    QStringList newNames_;
    QStringList problems_;
};

namespace {

// The widest of the texts as the font draws them (rounded as QFontMetrics rounds), at least
// floor. Shaping every one of a hundred thousand names is what made a large preview slow to open,
// so each text is first estimated from a table of its characters' advances and of the kerning of
// each pair of neighbours, and texts are drawn in the order of their estimates only while one of
// them could still be wider than the widest drawn so far. For plain pair-kerned text the estimate
// is the drawn width; where the font shapes beyond pairs the estimates and the drawn widths
// differ, and then every text within twice the largest difference seen is drawn too.
int widestText(const QFont& font, const QStringList& texts, int floor) {
    const QFontMetricsF metrics(font);
    std::vector<double> advances(0x10000, std::numeric_limits<double>::quiet_NaN());
    std::unordered_map<std::uint32_t, double> kernings;
    const auto advanceOf = [&](char16_t character) {
        double& advance = advances[character];
        if (std::isnan(advance)) {
            advance = metrics.horizontalAdvance(QChar(character));
        }
        return advance;
    };
    const auto kerningOf = [&](char16_t left, char16_t right) {
        const std::uint32_t key = (static_cast<std::uint32_t>(left) << 16U) | right;
        const auto found = kernings.find(key);
        if (found != kernings.end()) {
            return found->second;
        }
        const QChar pair[] = {QChar(left), QChar(right)};
        const double kerning =
            metrics.horizontalAdvance(QString(pair, 2)) - advanceOf(left) - advanceOf(right);
        kernings.emplace(key, kerning);
        return kerning;
    };
    constexpr double kAlwaysDraw = std::numeric_limits<double>::infinity();
    std::vector<std::pair<double, qsizetype>> estimates;
    estimates.reserve(static_cast<std::size_t>(texts.size()));
    for (qsizetype i = 0; i < texts.size(); ++i) {
        double estimate = 0;
        char16_t previous = 0;
        for (const QChar character : texts[i]) {
            const char16_t code = character.unicode();
            if (character.isSurrogate() || character.isMark() || character.isNonCharacter() ||
                code < 0x20) {
                // Shaped beyond pairs, or drawn as a replacement: never estimated.
                estimate = kAlwaysDraw;
                break;
            }
            estimate += advanceOf(code);
            if (previous != 0) {
                estimate += kerningOf(previous, code);
            }
            previous = code;
        }
        estimates.emplace_back(estimate, i);
    }
    std::sort(estimates.begin(), estimates.end(), std::greater<>());
    // The first few are drawn in any case, so the largest difference is learnt from real texts.
    constexpr int kAlwaysDrawn = 32;
    int drawnCount = 0;
    double widest = 0;
    double largestDifference = 0;
    for (const auto& [estimate, i] : estimates) {
        if (drawnCount >= kAlwaysDrawn && estimate != kAlwaysDraw) {
            const bool exact = largestDifference == 0;
            if (exact ? estimate <= widest : estimate + 2 * largestDifference < widest) {
                break;
            }
        }
        const double drawn = metrics.horizontalAdvance(texts[i]);
        ++drawnCount;
        widest = std::max(widest, drawn);
        if (estimate != kAlwaysDraw) {
            largestDifference = std::max(largestDifference, std::abs(estimate - drawn));
        }
    }
    return std::max(floor, static_cast<int>(qRound(widest)));
}

}  // namespace

PreviewDialog::PreviewDialog(QWidget* parent, ModalRunner runner)
    : QDialog(parent),
      runner_(std::move(runner)),
      model_(new PreviewPairsModel(this)),
      verdict_(new QLabel(this)),
      list_(new QTreeView(this)),
      closeButton_(new IconPushButton(tr("&Close Window"), this)) {
    setWindowTitle(tr("Preview"));
    HelpWindow::setPage(this, QStringLiteral("preview.html"));
    HelpWindow::addHelpKey(this);
    setModal(true);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    list_->setModel(model_);
    list_->setRootIsDecorated(false);
    list_->setItemsExpandable(false);
    list_->setUniformRowHeights(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setTextElideMode(Qt::ElideRight);
    // What the screen cannot show of the columns is scrolled to.
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QHeaderView* header = list_->header();
    header->setMinimumSectionSize(0);
    header->setStretchLastSection(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->resizeSection(0, 0);
    header->resizeSection(1, 0);

    closeButton_->setIcons(QStringLiteral(":/icons/exit.svg"));
    closeButton_->setDefault(true);
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::accept);

    verdict_->setWordWrap(true);
    verdict_->setTextFormat(Qt::PlainText);
    verdict_->hide();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(verdict_);
    layout->addWidget(list_, 1);
    layout->addWidget(closeButton_, 0, Qt::AlignHCenter);
    resize(kLeastSize);
}

PreviewDialog::~PreviewDialog() = default;

void PreviewDialog::showRefusal(const platform::Message& refusal) {
    refusal_ = refusal;
}

void PreviewDialog::addPair(std::string_view oldName, std::string_view newName,
                            const platform::MessageText* problem) {
    oldNames_.emplace_back(oldName);
    newNames_.emplace_back(newName);
    // Almost every file passes: the reasons are kept only once one does not.
    if (problem != nullptr) {
        problems_.resize(oldNames_.size() - 1);
        problems_.push_back(*problem);
        ++problemCount_;
    } else if (!problems_.empty()) {
        problems_.emplace_back();
    }
}

void PreviewDialog::showVerdict() {
    if (refusal_) {
        verdict_->setText(tr("Apply would refuse this batch and rename nothing:") +
                          QLatin1Char('\n') + QtMessageBox::translated(refusal_->textSource));
    } else if (problemCount_ > 0) {
        verdict_->setText(tr("%n file(s) would not be renamed; the marked rows say why.", nullptr,
                             static_cast<int>(problemCount_)));
    }
    verdict_->setVisible(refusal_ || problemCount_ > 0);
}

void PreviewDialog::fillList() {
    showVerdict();
    QHeaderView* header = list_->header();
    if (oldNames_.empty()) {
        model_->setPairs({}, {}, {});
        header->resizeSection(0, 0);
        header->resizeSection(1, 0);
        return;
    }
    const QFontMetrics metrics = list_->fontMetrics();
    QStringList oldShown;
    QStringList newShown;
    QStringList problemsShown;
    oldShown.reserve(static_cast<qsizetype>(oldNames_.size()));
    newShown.reserve(static_cast<qsizetype>(newNames_.size()));
    for (std::size_t i = 0; i < oldNames_.size(); ++i) {
        oldShown.push_back(visibleName(oldNames_[i]));
        newShown.push_back(visibleName(newNames_[i]));
    }
    if (problemCount_ > 0) {
        problems_.resize(oldNames_.size());
        problemsShown.reserve(static_cast<qsizetype>(problems_.size()));
        for (const platform::MessageText& problem : problems_) {
            problemsShown.push_back(problem.pattern.empty() ? QString()
                                                            : QtMessageBox::translated(problem));
        }
    }
    const int widestOld =
        widestText(list_->font(), oldShown, metrics.horizontalAdvance(tr("Old FileName")));
    const int widestNew =
        widestText(list_->font(), newShown, metrics.horizontalAdvance(tr("New FileName")));
    // The marker takes room beside the new names it marks.
    const int marker = problemCount_ > 0 ? list_->iconSize().width() + kColumnMargin / 2 : 0;
    model_->setPairs(std::move(oldShown), std::move(newShown), std::move(problemsShown));
    header->resizeSection(kOldNameColumn, widestOld + kColumnMargin);
    header->resizeSection(kNewNameColumn, widestNew + marker + kColumnMargin);
    if (problemCount_ > 0) {
        // Sized as the names are, so that no reason is cut where the window has room for it.
        const int widestReason =
            widestText(list_->font(), model_->reasons(), metrics.horizontalAdvance(tr("Reason")));
        header->resizeSection(kReasonColumn, widestReason + kColumnMargin);
    }
}

QSize PreviewDialog::wantedSize() const {
    // The list whole, columns and rows, beside what the window holds besides the list; placing the
    // window then cuts this down to the screen, and the list scrolls for the rest.
    const int frame = 2 * list_->frameWidth();
    const int scrollBar = list_->verticalScrollBar()->sizeHint().width();
    const int rows = model_->rowCount();
    const int rowHeight = rows > 0 ? list_->sizeHintForRow(0) : 0;
    const QSize listWanted(list_->header()->length() + frame + scrollBar,
                           list_->header()->sizeHint().height() + rows * rowHeight + frame +
                               list_->horizontalScrollBar()->sizeHint().height());
    const QSize besides = sizeHint() - list_->sizeHint();
    return (listWanted + besides).expandedTo(kLeastSize);
}

void PreviewDialog::show() {
    fillList();
    resize(wantedSize());
    placeWindow(*this, parentWidget());
    runModal(runner_, *this);
}

}  // namespace nameshift::ui
