#pragma once

#include <string>
#include <utility>

namespace nameshift::platform {

// The caption of every message that names no caption of its own.
inline constexpr const char* kProgramTitle = "Nameshift Pro";

enum class Icon { None, Information, Exclamation, Stop, Question };
enum class Buttons { Ok, YesNo, YesNoCancel };
enum class Answer { Ok, Yes, No, Cancel };

struct Message {
    std::string text;
    std::string caption = kProgramTitle;
    Icon icon = Icon::Exclamation;
    Buttons buttons = Buttons::Ok;
};

// Every message the program shows to its user goes through here: the dialogs show it in a window,
// the command-line tool prints it, and the tests record it and play back scripted answers.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual Answer show(const Message& message) = 0;

    Answer show(std::string text, std::string caption, Icon icon, Buttons buttons = Buttons::Ok) {
        return show(Message{std::move(text), std::move(caption), icon, buttons});
    }
    bool ask(std::string text, std::string caption, Icon icon = Icon::Question) {
        return show(std::move(text), std::move(caption), icon, Buttons::YesNo) == Answer::Yes;
    }
};

}  // namespace nameshift::platform
