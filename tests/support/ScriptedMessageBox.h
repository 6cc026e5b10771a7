#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/MessageBox.h"

namespace nameshift::testing {

// Records every message and answers questions from a script. A question the script does not
// answer gets `defaultAnswer`.
class ScriptedMessageBox final : public platform::MessageBox {
public:
    using MessageBox::show;

    platform::Answer show(const platform::Message& message) override {
        shown.push_back(message);
        if (message.buttons == platform::Buttons::Ok) {
            return platform::Answer::Ok;
        }
        if (answers.empty()) {
            return defaultAnswer;
        }
        const platform::Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<std::string> texts() const {
        std::vector<std::string> result;
        for (const auto& message : shown) {
            result.push_back(message.text);
        }
        return result;
    }

    std::vector<platform::Message> shown;
    std::deque<platform::Answer> answers;
    platform::Answer defaultAnswer = platform::Answer::Yes;
};

}  // namespace nameshift::testing
