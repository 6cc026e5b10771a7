#pragma once

#include <QDialog>
#include <QTreeView>

#include <string>
#include <vector>

#include "engine/PreviewDisplay.h"
#include "ui/ModalRunner.h"
#include "ui/widgets/IconPushButton.h"

namespace nameshift::ui {

class PreviewPairsModel;

// Shows, before anything is renamed, each file's present name beside the name the rules would
// give it. It only shows; closing it changes nothing.
class PreviewDialog : public QDialog, public engine::PreviewDisplay {
    Q_OBJECT

public:
    // The extra room each column gets beyond its widest text.
    static constexpr int kColumnMargin = 25;

    explicit PreviewDialog(QWidget* parent = nullptr, ModalRunner runner = {});
    ~PreviewDialog() override;

    void addPair(std::string_view oldName, std::string_view newName) override;
    // Fills the list and runs the dialog modally.
    void show() override;
    // Fills the list from the pairs added so far, as opening the dialog does.
    void fillList();

    std::size_t pairCount() const { return oldNames_.size(); }
    QTreeView* list() const { return list_; }
    IconPushButton* closeButton() const { return closeButton_; }

private:
    std::vector<std::string> oldNames_;
    std::vector<std::string> newNames_;
    ModalRunner runner_;
    PreviewPairsModel* model_;
    QTreeView* list_;
    IconPushButton* closeButton_;
};

}  // namespace nameshift::ui
