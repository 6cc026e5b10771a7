#include "ui/QtMessageBox.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QMessageBox>
#include <algorithm>
#include <iterator>

#include "ui/DisplayText.h"
#include "ui/HelpWindow.h"
#include "ui/WholeTitle.h"
#include "ui/WindowPlacement.h"

namespace nameshift::ui {
namespace {

QMessageBox::Icon iconOf(platform::Icon icon) {
    switch (icon) {
        case platform::Icon::Information:
            return QMessageBox::Information;
        case platform::Icon::Exclamation:
            return QMessageBox::Warning;
        case platform::Icon::Stop:
            return QMessageBox::Critical;
        case platform::Icon::Question:
            return QMessageBox::Question;
        case platform::Icon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

QString QtMessageBox::translated(const platform::MessageText& text) {
    const int count = text.count ? static_cast<int>(*text.count) : -1;
    QString pattern = QCoreApplication::translate(platform::kMessageContext, text.pattern.c_str(),
                                                  nullptr, count);
    if (text.arguments.empty() && text.parts.empty()) {
        return pattern;
    }
    // The arguments are file names and paths above all: each shown so that it can be told apart.
    std::vector<std::string> arguments;
    arguments.reserve(text.arguments.size() + 1);
    for (const std::string& argument : text.arguments) {
        arguments.push_back(bytesOf(visibleName(argument)));
    }
    if (!text.parts.empty()) {
        std::string joined;
        for (const platform::MessageText& part : text.parts) {
            joined += bytesOf(translated(part));
        }
        arguments.push_back(std::move(joined));
    }
    // Filled in as bytes after the translation, so that the arguments (file names above all) stay
    // exactly as they are, whatever they hold.
    return displayText(
        platform::MessageText::fillPlaceholders(bytesOf(pattern), arguments, std::nullopt));
}

std::unique_ptr<QMessageBox> QtMessageBox::build(const platform::Message& message,
                                                 QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(parent);
    box->setText(breakLongWords(translated(message.textSource)));
    box->setTextFormat(Qt::PlainText);
    box->setWindowTitle(translated(message.captionSource));
    box->setIcon(iconOf(message.icon));
    if (!message.detailsSource.pattern.empty()) {
        box->setDetailedText(translated(message.detailsSource));
    }
    if (message.buttons == platform::Buttons::YesNo) {
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setDefaultButton(QMessageBox::Yes);
        box->setEscapeButton(QMessageBox::No);
    } else if (message.buttons == platform::Buttons::YesNoCancel) {
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box->setDefaultButton(QMessageBox::Cancel);
        box->setEscapeButton(QMessageBox::Cancel);
    } else {
        box->setStandardButtons(QMessageBox::Ok);
        box->setEscapeButton(QMessageBox::Ok);
    }
    const QMessageBox::StandardButton named[] = {QMessageBox::Yes, QMessageBox::No,
                                                 QMessageBox::Cancel};
    for (std::size_t i = 0; i < message.buttonTexts.size() && i < std::size(named); ++i) {
        if (QAbstractButton* button = box->button(named[i])) {
            button->setText(translated(message.buttonTexts[i]));
        }
    }
    if (!message.helpPage.empty()) {
        HelpWindow::setPage(box.get(), QString::fromStdString(message.helpPage));
        HelpWindow::addHelpKey(box.get());
    }
    // Last: a change of the text or the icon lays the box out anew.
    keepTitleWhole(*box);
    return box;
}

platform::Answer QtMessageBox::show(const platform::Message& message) {
    const std::unique_ptr<QMessageBox> box = build(message, parent_.data());
    box->adjustSize();
    placeWindow(*box, parent_.data());
    const int pressed = box->exec();
    if (message.buttons == platform::Buttons::Ok) {
        return platform::Answer::Ok;
    }
    if (pressed == QMessageBox::Cancel) {
        return platform::Answer::Cancel;
    }
    return pressed == QMessageBox::Yes ? platform::Answer::Yes : platform::Answer::No;
}

}  // namespace nameshift::ui
