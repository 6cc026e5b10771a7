#pragma once

#include <QDialog>

#include "platform/MessageBox.h"

namespace nameshift::ui {

class HyperlinkLabel;
class IconPushButton;

// The About box: the program's name and version and a mail link to its authors. A link that
// cannot be opened is reported and the box stays open.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kSupportAddress = "nameshift@example.org";

    explicit AboutDialog(platform::MessageBox& messages, QWidget* parent = nullptr);

    HyperlinkLabel* mailLink() const { return mailLink_; }

private:
    HyperlinkLabel* mailLink_ = nullptr;
    IconPushButton* okButton_ = nullptr;
};

}  // namespace nameshift::ui
