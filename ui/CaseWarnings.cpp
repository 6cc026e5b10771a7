#include "ui/CaseWarnings.h"

namespace nameshift::ui {

// Each combination is one whole sentence, so that a translation can order the box names and the
// outcome the way its language does.
std::optional<platform::MessageText> caseWarningText(CaseBox turnedOn, bool lowerOn, bool upperOn,
                                                     bool firstLetterOn) {
    const char* text = nullptr;
    switch (turnedOn) {
        case CaseBox::Lower:
            if (firstLetterOn && upperOn) {
                text = NS_MESSAGE("Message",
                                  "Please Note: While this & \"Make 1st character in each word "
                                  "upper case\" & \"Make all upper case\" checkboxes are set, the "
                                  "result will be ALL upper case.");
            } else if (firstLetterOn) {
                text = NS_MESSAGE("Message",
                                  "Please Note: While this & \"Make 1st character in each word "
                                  "upper case\" checkboxes are set, the result will NOT be all "
                                  "lower case.");
            } else if (upperOn) {
                text = NS_MESSAGE("Message",
                                  "Please Note: While this & \"Make all upper case\" checkboxes "
                                  "are set, the result will be all upper case.");
            }
            break;
        case CaseBox::Upper:
            if (lowerOn && firstLetterOn) {
                text = NS_MESSAGE("Message",
                                  "Please Note: While this & \"Make all lower case\" & \"Make 1st "
                                  "character in each word upper case\" checkboxes are set, the "
                                  "result will be ALL upper case.");
            } else if (firstLetterOn) {
                text = NS_MESSAGE("Message",
                                  "Please Note: While this & \"Make 1st character in each word "
                                  "upper case\" checkboxes are set, the result will be ALL upper "
                                  "case.");
            } else if (lowerOn) {
                text = NS_MESSAGE("Message",
                                  "Please Note: While this & \"Make all lower case\" checkboxes "
                                  "are set, the result will be ALL upper case.");
            }
            break;
        case CaseBox::FirstLetter:
            if (lowerOn && upperOn) {
                text = NS_MESSAGE("Message",
                                  "Please Note: While this & \"Make all lower case\" & \"Make all "
                                  "upper case\" checkboxes are set, the result will be ALL upper "
                                  "case.");
            } else if (upperOn) {
                text = NS_MESSAGE("Message",
                                  "Please Note: While this & \"Make all upper case\" checkboxes "
                                  "are set, the result will be ALL upper case.");
            } else if (lowerOn) {
                text = NS_MESSAGE("Message",
                                  "Please Note: While this & \"Make all lower case\" checkboxes "
                                  "are set, the result will NOT be all lower case.");
            }
            break;
    }
    if (text == nullptr) {
        return std::nullopt;
    }
    return platform::MessageText(text);
}

std::optional<std::string> caseWarning(CaseBox turnedOn, bool lowerOn, bool upperOn,
                                       bool firstLetterOn) {
    const std::optional<platform::MessageText> text =
        caseWarningText(turnedOn, lowerOn, upperOn, firstLetterOn);
    if (!text) {
        return std::nullopt;
    }
    return text->filled();
}

}  // namespace nameshift::ui
