#pragma once

#include <QList>
#include <QString>
#include <QWidget>
#include <string>
#include <string_view>
#include <vector>

class QLabel;
class QListWidget;

namespace nameshift::ui {

class IconPushButton;

// A frame's name as ID3Opts.ini stores it, shown in the user's language.
QString shownFrameName(std::string_view name);

// The basic options' choice of frames: the frames still available, the ones selected in the order
// the name joins them, and the buttons that move frames between the two lists and up and down the
// selected one. The available list always keeps the frames' own order.
class TagFieldLists : public QWidget {
    Q_OBJECT

public:
    explicit TagFieldLists(QWidget* parent = nullptr);

    // Shows the frames as stored, without telling anyone: the caller shows what they give.
    void showFrames(const std::vector<std::string>& selected,
                    const std::vector<std::string>& available);
    // The names of the selected frames as ID3Opts.ini stores them, in their order.
    std::vector<std::string> selectedFrames() const;
    // Offers every frame as available again, as quietly as showFrames.
    void returnAllToAvailable();
    // The lists and buttons take input only while the basic options are used; their labels stay
    // as they are.
    void setChoosingEnabled(bool enabled);
    // The controls in the order Tab visits them, from the available list to the order buttons.
    QList<QWidget*> tabOrder() const;

    void moveAllToSelected();
    void moveChosenToSelected();
    void moveChosenToAvailable();
    void moveAllToAvailable();
    void moveChosenUp();
    void moveChosenDown();

signals:
    // A button or a double click has moved a frame, so the basic format may differ.
    void framesMoved();

private:
    void buildFrameLists();
    void buildMoveButtons();
    void buildOrderButtons();
    void layOutControls();
    void addAvailable(const QString& frame);
    // Takes the selected list's item at `row` out and offers its frame as available again.
    void returnToAvailable(int row);

    QLabel* availableLabel_ = nullptr;
    QLabel* selectedLabel_ = nullptr;
    QListWidget* available_ = nullptr;
    QListWidget* selected_ = nullptr;
    IconPushButton* allToSelected_ = nullptr;
    IconPushButton* oneToSelected_ = nullptr;
    IconPushButton* oneToAvailable_ = nullptr;
    IconPushButton* allToAvailable_ = nullptr;
    IconPushButton* up_ = nullptr;
    IconPushButton* down_ = nullptr;
};

}  // namespace nameshift::ui
