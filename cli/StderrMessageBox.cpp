#include "cli/StderrMessageBox.h"

#include <string>

namespace nameshift::cli {

StderrMessageBox::StderrMessageBox(std::FILE* stream, platform::Answer answerToQuestions)
    : stream_(stream), answerToQuestions_(answerToQuestions) {}

platform::Answer StderrMessageBox::show(const platform::Message& message) {
    // One write per message, so that messages never interleave with another writer's lines.
    std::string line = message.caption + ": " + message.text;
    if (line.empty() || line.back() != '\n') {
        line += '\n';
    }
    std::fwrite(line.data(), 1, line.size(), stream_);
    std::fflush(stream_);
    if (message.buttons == platform::Buttons::YesNo) {
        return answerToQuestions_;
    }
    return platform::Answer::Ok;
}

}  // namespace nameshift::cli
