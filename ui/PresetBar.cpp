#include "ui/PresetBar.h"

#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QSignalBlocker>

#include <utility>
#include <vector>

#include "settings/PresetStore.h"
#include "ui/DisplayText.h"
#include "ui/HelpWindow.h"
#include "ui/WholeTitle.h"

namespace nameshift::ui {

PresetBar::PresetBar(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                     PresetNamePrompt askName, PresetRules rules, QWidget* parent)
    : QWidget(parent),
      fileSystem_(fileSystem),
      messages_(messages),
      askName_(std::move(askName)),
      rules_(std::move(rules)) {
    PresetBarControls& c = controls_;
    auto* label = new QLabel(tr("Pic&k a preset:"), this);
    c.presets = new QComboBox(this);
    c.presets->setObjectName(QStringLiteral("presetList"));
    c.presets->setMinimumContentsLength(12);
    label->setBuddy(c.presets);
    c.save = new QPushButton(tr("Save as preset…"), this);
    c.remove = new QPushButton(tr("Delete preset"), this);
    c.remove->setEnabled(false);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* widget : {static_cast<QWidget*>(label), static_cast<QWidget*>(c.presets),
                            static_cast<QWidget*>(c.save), static_cast<QWidget*>(c.remove)}) {
        layout->addWidget(widget);
        HelpWindow::setPage(widget, QStringLiteral("rules.html"));
    }
    layout->addStretch(1);

    connect(c.presets, &QComboBox::activated, this, &PresetBar::loadPreset);
    connect(c.presets, &QComboBox::currentIndexChanged, this,
            [this](int index) { controls_.remove->setEnabled(index >= 0); });
    connect(c.save, &QPushButton::clicked, this, &PresetBar::savePreset);
    connect(c.remove, &QPushButton::clicked, this, &PresetBar::deletePreset);
}

void PresetBar::setDirectory(std::string directory) {
    directory_ = std::move(directory);
    showNames();
}

void PresetBar::showNames(const QString& chosen) {
    QComboBox* list = controls_.presets;
    const QSignalBlocker quiet(list);
    list->clear();
    if (directory_.empty()) {
        return;
    }
    settings::PresetStore store(fileSystem_, messages_, directory_);
    const std::optional<std::vector<std::string>> names = store.names();
    for (const std::string& name : names.value_or(std::vector<std::string>{})) {
        list->addItem(displayText(name), byteArrayOf(name));
    }
    // None is shown as chosen until the user chooses one: the controls may hold other rules.
    list->setCurrentIndex(list->findText(chosen));
    controls_.remove->setEnabled(list->currentIndex() >= 0);
}

void PresetBar::loadPreset(int index) {
    if (directory_.empty() || index < 0) {
        return;
    }
    const std::string name = controls_.presets->itemData(index).toByteArray().toStdString();
    settings::PresetStore store(fileSystem_, messages_, directory_);
    if (std::optional<settings::RenameSettings> loaded = store.load(name, rules_.read())) {
        rules_.show(*loaded);
    } else {
        // It may have gone since it was listed.
        showNames();
    }
}

std::optional<QString> PresetBar::askName() {
    if (askName_) {
        return askName_(this);
    }
    QInputDialog dialog(this);
    prepareNameDialog(dialog, controls_.presets->currentText());
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.textValue();
}

void PresetBar::prepareNameDialog(QInputDialog& dialog, const QString& current) {
    dialog.setWindowTitle(tr("Save as Preset"));
    dialog.setLabelText(tr("Name of the preset:"));
    dialog.setTextValue(current);
    keepTitleWhole(dialog);
}

void PresetBar::savePreset() {
    if (directory_.empty()) {
        return;
    }
    const std::optional<QString> name = askName();
    if (!name) {
        return;
    }
    settings::PresetStore store(fileSystem_, messages_, directory_);
    if (store.save(bytesOf(*name), rules_.read())) {
        showNames(*name);
    }
}

void PresetBar::deletePreset() {
    const int index = controls_.presets->currentIndex();
    if (directory_.empty() || index < 0) {
        return;
    }
    const std::string name = controls_.presets->itemData(index).toByteArray().toStdString();
    if (!messages_.ask({NS_MESSAGE("Message", "Delete the preset \"%1\"?"), {name}},
                       NS_MESSAGE("Message", "Delete Preset"))) {
        return;
    }
    settings::PresetStore store(fileSystem_, messages_, directory_);
    store.remove(name);
    showNames();
}

}  // namespace nameshift::ui
