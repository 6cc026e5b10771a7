#pragma once

#include <string>
#include <utility>
#include <vector>

#include "platform/MessageText.h"

namespace nameshift::platform {

// The caption of every message that names no caption of its own.
inline constexpr const char* kProgramTitle = "Nameshift Pro";

enum class Icon { None, Information, Exclamation, Stop, Question };
enum class Buttons { Ok, YesNo, YesNoCancel };
enum class Answer { Ok, Yes, No, Cancel };

struct Message {
    Message() = default;
    Message(MessageText text_, MessageText caption_ = MessageText(kProgramTitle),
            Icon icon_ = Icon::Exclamation, Buttons buttons_ = Buttons::Ok)
        : text(text_.filled()),
          caption(caption_.filled()),
          icon(icon_),
          buttons(buttons_),
          textSource(std::move(text_)),
          captionSource(std::move(caption_)) {}

    // In English, with the arguments filled in: what the command-line tool prints.
    std::string text;
    std::string caption = kProgramTitle;
    Icon icon = Icon::Exclamation;
    Buttons buttons = Buttons::Ok;
    // What the dialogs translate.
    MessageText textSource;
    MessageText captionSource = MessageText(kProgramTitle);
    // What the user may unfold below the text, such as the files a refusal concerns; the tool
    // prints it after the text. Empty: none.
    std::string details;
    MessageText detailsSource;
    // Words of the question's own for its buttons, in the order Yes, No, Cancel; empty: the
    // usual ones.
    std::vector<MessageText> buttonTexts;
    // The page of the program's help that F1 opens while the message is shown; empty: none.
    std::string helpPage;
    // The report that a batch ran to its end: the window shows it, while the command-line tool's
    // exit status says as much.
    bool reportsCompletion = false;

    void setDetails(MessageText source) {
        details = source.filled();
        detailsSource = std::move(source);
    }
};

// Every message the program shows to its user goes through here: the dialogs show it in a window,
// the command-line tool prints it, and the tests record it and play back scripted answers.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual Answer show(const Message& message) = 0;

    Answer show(MessageText text, MessageText caption, Icon icon, Buttons buttons = Buttons::Ok) {
        return show(Message{std::move(text), std::move(caption), icon, buttons});
    }
    bool ask(MessageText text, MessageText caption, Icon icon = Icon::Question) {
        return show(std::move(text), std::move(caption), icon, Buttons::YesNo) == Answer::Yes;
    }
};

}  // namespace nameshift::platform
