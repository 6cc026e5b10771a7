#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>

#include "platform/MessageBox.h"

class QMessageBox;

namespace nameshift::ui {

// Shows the program's messages in modal message boxes over `parent`.
class QtMessageBox final : public platform::MessageBox {
public:
    using MessageBox::show;

    explicit QtMessageBox(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    platform::Answer show(const platform::Message& message) override;

    // The box `show` runs, with its text, caption, icon and buttons; Esc on a question answers No.
    static std::unique_ptr<QMessageBox> build(const platform::Message& message, QWidget* parent);
    // The text in the user's language, its arguments filled in.
    static QString translated(const platform::MessageText& text);

private:
    QPointer<QWidget> parent_;
};

}  // namespace nameshift::ui
