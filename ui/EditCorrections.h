#pragma once

#include <QLineEdit>
#include <QString>

#include <optional>

#include "engine/naming/EditCorrections.h"
#include "platform/MessageBox.h"

namespace nameshift::ui {

// One correction of an edit's text while it is typed: the message to show and the text the
// field then holds. The field is checked again after each correction, so a text with several
// faults is mended one fault, and one message, at a time.
struct EditCorrection {
    platform::Message message;
    QString text;
    int removedAt = -1;  // where a character was taken out; -1 when the field was emptied
};

// The parts of a file name (prefix, extension, strings): the first character a file name may
// not hold is taken out.
std::optional<EditCorrection> correctNameText(const QString& text);
// "Increment by:": zero empties the field; anything but a digit is taken out.
std::optional<EditCorrection> correctCounterIncrement(const QString& text);
// "Start counter at:": a leading zero of two or more characters is taken out (zeros in front
// come from the digit count); anything but a digit is taken out.
std::optional<EditCorrection> correctCounterStart(const QString& text);
// The positions and the count of the insert and remove rules: anything but a digit is taken out.
std::optional<EditCorrection> correctCharacterCount(const QString& text);

// Mends what was typed into `edit` by `correct`, one fault and one message at a time, keeping the
// cursor where the user was typing.
void mendTypedText(platform::MessageBox& messages, QLineEdit* edit,
                   std::optional<EditCorrection> (*correct)(const QString&));

}  // namespace nameshift::ui
