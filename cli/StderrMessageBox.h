#pragma once

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

private:
    std::FILE* stream_;
    platform::Answer answerToQuestions_;
};

}  // namespace nameshift::cli
