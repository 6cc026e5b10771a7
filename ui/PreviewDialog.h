#pragma once

#include <QDialog>
#include <QLabel>
#include <QSize>
#include <QTreeView>

#include <optional>
#include <string>
#include <vector>

#include "engine/commands/PreviewDisplay.h"
#include "ui/ModalRunner.h"
#include "ui/widgets/IconPushButton.h"

namespace nameshift::ui {

class PreviewPairsModel;

// Shows, before anything is renamed, each file's present name beside the name the rules would
// give it, the files apply would not rename marked with the reason, and above them why apply
// would refuse the batch. It only shows; closing it changes nothing.
class PreviewDialog : public QDialog, public engine::PreviewDisplay {
    Q_OBJECT

public:
    // The extra room each column gets beyond its widest text.
    static constexpr int kColumnMargin = 25;

    explicit PreviewDialog(QWidget* parent = nullptr, ModalRunner runner = {});
    ~PreviewDialog() override;

    using engine::PreviewDisplay::addPair;
    void showRefusal(const platform::Message& refusal) override;
    void addPair(std::string_view oldName, std::string_view newName,
                 const platform::MessageText* problem) override;
    // Fills the list and runs the dialog modally.
    void show() override;
    // Fills the list from the pairs added so far, as opening the dialog does.
    void fillList();
    // Room for every column and row of the filled list, at least the size the dialog opens with
    // for a few short names.
    QSize wantedSize() const;
    static constexpr QSize kLeastSize{560, 380};

    std::size_t pairCount() const { return oldNames_.size(); }
    QTreeView* list() const { return list_; }
    // What apply would do with the batch as a whole; hidden when every file passes.
    QLabel* verdict() const { return verdict_; }
    IconPushButton* closeButton() const { return closeButton_; }

    static constexpr int kOldNameColumn = 0;
    static constexpr int kNewNameColumn = 1;
    // Shown only when a file would not be renamed.
    static constexpr int kReasonColumn = 2;

private:
    void showVerdict();

    std::vector<std::string> oldNames_;
    std::vector<std::string> newNames_;
    // Empty, or one per pair, where a pair that passes has an empty text.
    std::vector<platform::MessageText> problems_;
    std::size_t problemCount_ = 0;
    std::optional<platform::Message> refusal_;
    ModalRunner runner_;
    PreviewPairsModel* model_;
    QLabel* verdict_;
    QTreeView* list_;
    IconPushButton* closeButton_;
};

}  // namespace nameshift::ui
