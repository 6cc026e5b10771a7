#include "cli/StderrMessageBox.h"

namespace nameshift::cli {

StderrMessageBox::StderrMessageBox(std::FILE* stream, platform::Answer answerToQuestions,
                                   Verbosity verbosity)
    : stream_(stream), answerToQuestions_(answerToQuestions), verbosity_(verbosity) {}

platform::Answer StderrMessageBox::show(const platform::Message& message) {
    if (prints(message)) {
        print(message);
    }
    return answerTo(message);
}

void StderrMessageBox::note(const std::string& text) {
    if (verbose()) {
        print(platform::Message{text, "nameshift-cli"});
    }
}

bool StderrMessageBox::prints(const platform::Message& message) const {
    if (verbose()) {
        return true;
    }
    if (message.buttons == platform::Buttons::YesNo) {
        // --yes answered it, so nothing was asked; a No is followed by the refusal it led to.
        return verbosity_ == Verbosity::Normal && answerToQuestions_ != platform::Answer::Yes;
    }
    return !message.reportsCompletion;
}

void StderrMessageBox::print(const platform::Message& message) {
    // One write per message, so that messages never interleave with another writer's lines.
    std::string line = message.caption + ": " + message.text;
    if (line.empty() || line.back() != '\n') {
        line += '\n';
    }
    line += message.details;
    if (!message.details.empty() && line.back() != '\n') {
        line += '\n';
    }
    std::fwrite(line.data(), 1, line.size(), stream_);
    std::fflush(stream_);
}

platform::Answer StderrMessageBox::answerTo(const platform::Message& message) const {
    return message.buttons == platform::Buttons::YesNo ? answerToQuestions_ : platform::Answer::Ok;
}

platform::Answer StderrMessageBox::Notices::show(const platform::Message& message) {
    if (owner_.verbose()) {
        owner_.print(message);
    }
    return owner_.answerTo(message);
}

}  // namespace nameshift::cli
