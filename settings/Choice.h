#pragma once

#include <optional>

namespace nameshift::settings {

// How many values an enumeration of choices has; each enumeration says so beside itself.
template <typename Choice>
inline constexpr int kChoiceCount = 0;

// A choice is shown and stored by its index: the id of its radio button, its row in a list, its
// digit or code in a settings file. -1 stands for no choice at all.
template <typename Choice>
constexpr int indexOf(std::optional<Choice> choice) {
    return choice ? static_cast<int>(*choice) : -1;
}

template <typename Choice>
constexpr int indexOf(Choice choice) {
    return static_cast<int>(choice);
}

// The choice at `index`, or none when the index is outside the enumeration.
template <typename Choice>
constexpr std::optional<Choice> choiceAt(int index) {
    if (index < 0 || index >= kChoiceCount<Choice>) {
        return std::nullopt;
    }
    return static_cast<Choice>(index);
}

}  // namespace nameshift::settings
