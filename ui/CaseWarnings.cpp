#include "ui/CaseWarnings.h"

namespace nameshift::ui {

std::optional<std::string> caseWarning(CaseBox turnedOn, bool lowerOn, bool upperOn,
                                       bool firstLetterOn) {
    static constexpr const char* kLower = "\"Make all lower case\"";
    static constexpr const char* kUpper = "\"Make all upper case\"";
    static constexpr const char* kFirst = "\"Make 1st character in each word upper case\"";
    static constexpr const char* kAllUpper = "the result will be ALL upper case.";

    const char* firstOther = nullptr;
    const char* secondOther = nullptr;
    const char* result = kAllUpper;
    switch (turnedOn) {
        case CaseBox::Lower:
            if (firstLetterOn && upperOn) {
                firstOther = kFirst;
                secondOther = kUpper;
            } else if (firstLetterOn) {
                firstOther = kFirst;
                result = "the result will NOT be all lower case.";
            } else if (upperOn) {
                firstOther = kUpper;
                result = "the result will be all upper case.";
            }
            break;
        case CaseBox::Upper:
            if (lowerOn && firstLetterOn) {
                firstOther = kLower;
                secondOther = kFirst;
            } else if (firstLetterOn) {
                firstOther = kFirst;
            } else if (lowerOn) {
                firstOther = kLower;
            }
            break;
        case CaseBox::FirstLetter:
            if (lowerOn && upperOn) {
                firstOther = kLower;
                secondOther = kUpper;
            } else if (upperOn) {
                firstOther = kUpper;
            } else if (lowerOn) {
                firstOther = kLower;
                result = "the result will NOT be all lower case.";
            }
            break;
    }
    if (firstOther == nullptr) {
        return std::nullopt;
    }
    std::string text = "Please Note: While this & ";
    text += firstOther;
    if (secondOther != nullptr) {
        text += " & ";
        text += secondOther;
    }
    text += " checkboxes are set, ";
    text += result;
    return text;
}

}  // namespace nameshift::ui
