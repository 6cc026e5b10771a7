#pragma once

#include <QComboBox>

namespace nameshift::ui {

// A drop-down list that says when it is about to open, so that its owner can bring its entries
// up to date first (volumes come and go while the program runs).
class DriveComboBox : public QComboBox {
    Q_OBJECT

public:
    using QComboBox::QComboBox;

    void showPopup() override {
        emit aboutToShowPopup();
        QComboBox::showPopup();
    }

signals:
    void aboutToShowPopup();
};

}  // namespace nameshift::ui
