#pragma once

#include <cstddef>
#include <cstdio>

#include "platform/MessageBox.h"

namespace nameshift::cli {

// Prints every message the dialog program would show as its caption, ": " and its text, one
// message after another. Nobody is there to answer a question, so every question gets the answer
// the command line chose beforehand (--yes or not).
class StderrMessageBox final : public platform::MessageBox {
public:
    StderrMessageBox(std::FILE* stream, platform::Answer answerToQuestions);

    using MessageBox::show;
    platform::Answer show(const platform::Message& message) override;

    // How many messages so far carried the stop icon: refusals and failures.
    std::size_t stopMessages() const { return stopMessages_; }

private:
    std::FILE* stream_;
    platform::Answer answerToQuestions_;
    std::size_t stopMessages_ = 0;
};

}  // namespace nameshift::cli
