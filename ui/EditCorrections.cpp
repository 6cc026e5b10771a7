#include "ui/EditCorrections.h"

namespace nameshift::ui {
namespace {

// The rules work on the field's UTF-8 bytes; every character they take out is ASCII, so the
// field loses exactly that one character.
template <typename Correct>
std::optional<EditCorrection> corrected(const QString& text, Correct correct) {
    const QByteArray bytes = text.toUtf8();
    std::optional<engine::EditCorrection> correction =
        correct(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!correction) {
        return std::nullopt;
    }
    const int removedAt =
        correction->removedAt < 0
            ? -1
            : static_cast<int>(QString::fromUtf8(bytes.constData(), correction->removedAt).size());
    return EditCorrection{std::move(correction->message), QString::fromStdString(correction->text),
                          removedAt};
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

}  // namespace nameshift::ui
