#pragma once

#include <cstdio>
#include <string>

#include "cli/Verbosity.h"
#include "platform/MessageBox.h"

namespace nameshift::cli {

// Prints the messages the dialog program would show as their caption, ": " and their text, one
// message after another, as many as the verbosity asks for. Nobody is there to answer a
// question, so every question gets the answer the command line chose beforehand (--yes or not).
class StderrMessageBox final : public platform::MessageBox {
public:
    StderrMessageBox(std::FILE* stream, platform::Answer answerToQuestions,
                     Verbosity verbosity = Verbosity::Verbose);

    using MessageBox::show;
    platform::Answer show(const platform::Message& message) override;

    // For messages that only tell how things went as expected, such as a missing settings file
    // that gives its defaults: printed with --verbose alone.
    platform::MessageBox& notices() { return notices_; }
    // A line of the tool's own ("nameshift-cli: " and the text), printed with --verbose alone.
    void note(const std::string& text);
    bool verbose() const { return verbosity_ == Verbosity::Verbose; }

private:
    class Notices final : public platform::MessageBox {
    public:
        explicit Notices(StderrMessageBox& owner) : owner_(owner) {}
        using MessageBox::show;
        platform::Answer show(const platform::Message& message) override;

    private:
        StderrMessageBox& owner_;
    };

    bool prints(const platform::Message& message) const;
    void print(const platform::Message& message);
    platform::Answer answerTo(const platform::Message& message) const;

    std::FILE* stream_;
    platform::Answer answerToQuestions_;
    Verbosity verbosity_;
    Notices notices_{*this};
};

}  // namespace nameshift::cli
