#include "ui/EditCorrections.h"

#include "ui/DisplayText.h"

namespace nameshift::ui {
namespace {

// The rules work on the field's UTF-8 bytes; every character they take out is ASCII, so the
// field loses exactly that one character.
template <typename Correct>
std::optional<EditCorrection> corrected(const QString& text, Correct correct) {
    const std::string bytes = bytesOf(text);
    std::optional<engine::EditCorrection> correction = correct(bytes);
    if (!correction) {
        return std::nullopt;
    }
    const int removedAt =
        correction->removedAt < 0
            ? -1
            : static_cast<int>(
                  displayText(std::string_view(bytes).substr(0, correction->removedAt)).size());
    return EditCorrection{std::move(correction->message), displayText(correction->text), removedAt};
}

}  // namespace

std::optional<EditCorrection> correctNameText(const QString& text) {
    return corrected(text, engine::correctNameText);
}

std::optional<EditCorrection> correctCounterIncrement(const QString& text) {
    return corrected(text, engine::correctCounterIncrement);
}

std::optional<EditCorrection> correctCounterStart(const QString& text) {
    return corrected(text, engine::correctCounterStart);
}

std::optional<EditCorrection> correctCharacterCount(const QString& text) {
    return corrected(text, engine::correctCharacterCount);
}

void mendTypedText(platform::MessageBox& messages, QLineEdit* edit,
                   std::optional<EditCorrection> (*correct)(const QString&)) {
    const std::optional<EditCorrection> correction = correct(edit->text());
    if (!correction) {
        return;
    }
    const int cursor = edit->cursorPosition();
    messages.show(correction->message);
    // Writing the mended text is itself a change, which checks the field again.
    edit->setText(correction->text);
    if (correction->removedAt >= 0) {
        edit->setCursorPosition(correction->removedAt < cursor ? cursor - 1 : cursor);
    }
}

}  // namespace nameshift::ui
