#include "engine/NameRules.h"

#include <algorithm>
#include <cctype>

#include "engine/TextCase.h"

namespace nameshift::engine {
namespace {

using settings::Position;
using settings::RenameSettings;

// Where a name's extension starts: its last dot, or its end when it has none.
std::size_t extensionStart(const std::string& name) {
    const auto dot = name.rfind('.');
    return dot == std::string::npos ? name.size() : dot;
}

void applyPrefix(std::string& name, const RenameSettings& settings) {
    if (!settings.prefixPosition) {
        return;
    }
    switch (*settings.prefixPosition) {
        case Position::Beginning: {
            // Built at its exact size: insert would double the string's room, and a batch keeps
            // every new name until it is done.
            std::string prefixed;
            prefixed.reserve(settings.prefixText.size() + name.size());
            prefixed.append(settings.prefixText).append(name);
            name = std::move(prefixed);
            break;
        }
        case Position::End:
            name.insert(extensionStart(name), settings.prefixText);
            break;
        case Position::Replace:
            name.replace(0, extensionStart(name), settings.prefixText);
            break;
    }
}

void applyExtension(std::string& name, const RenameSettings& settings) {
    const auto dot = name.rfind('.');
    if (dot == std::string::npos) {
        name += '.';
        name += settings.extensionText;
        return;
    }
    if (!settings.extensionPosition) {
        return;
    }
    switch (*settings.extensionPosition) {
        case Position::Beginning:
            name.insert(dot + 1, settings.extensionText);
            break;
        case Position::End:
            name += settings.extensionText;
            break;
        case Position::Replace:
            name.replace(dot + 1, std::string::npos, settings.extensionText);
            break;
    }
}

void removeAll(std::string& name, char c) {
    std::erase(name, c);
}

void removeFirst(std::string& name, const std::string& text) {
    if (text.empty()) {
        return;
    }
    const auto at = name.find(text);
    if (at != std::string::npos) {
        name.erase(at, text.size());
    }
}

void replaceFirst(std::string& name, const std::string& from, const std::string& with) {
    if (name.empty()) {
        return;  // a name emptied by an earlier rule stays empty
    }
    const auto at = name.find(from);
    if (at != std::string::npos) {
        name.replace(at, from.size(), with);
    }
}

}  // namespace

NameParts splitName(const std::string& name) {
    const auto dot = name.rfind('.');
    if (dot == std::string::npos) {
        return {name, {}};
    }
    return {name.substr(0, dot), name.substr(dot)};
}

std::string counterText(long long value, int digits) {
    std::string text = std::to_string(value);
    if (static_cast<int>(text.size()) < digits) {
        text.insert(0, static_cast<std::size_t>(digits) - text.size(), '0');
    }
    return text;
}

long long parseCounterValue(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        if (value > 100'000'000'000LL) {
            break;  // the edits hold two digits; a longer text cannot make sense as a counter
        }
        value = value * 10 + (text[i] - '0');
    }
    return negative ? -value : value;
}

void applyNameRules(const RenameSettings& settings, std::span<std::string> names,
                    std::size_t firstPosition) {
    if (settings.changePrefix) {
        for (std::string& name : names) {
            applyPrefix(name, settings);
        }
    }
    if (settings.useCounter) {
        const long long step = parseCounterValue(settings.counterIncrement);
        long long value =
            parseCounterValue(settings.counterStart) + step * static_cast<long long>(firstPosition);
        const int digits = settings.counterDigitsIndex + 1;
        for (std::string& name : names) {
            const std::string counter = counterText(value, digits);
            name.insert(settings.counterPosition == Position::Beginning ? 0 : extensionStart(name),
                        counter);
            value += step;
        }
    }
    if (settings.changeExtension) {
        for (std::string& name : names) {
            applyExtension(name, settings);
        }
    }
    for (std::string& name : names) {
        if (settings.removeSpaces) {
            removeAll(name, ' ');
        }
        if (settings.removeBrackets) {
            removeAll(name, '[');
            removeAll(name, ']');
        }
        if (settings.removeTildes) {
            removeAll(name, '~');
        }
        if (settings.removeHyphens) {
            removeAll(name, '-');
        }
    }
    if (settings.removeString) {
        for (std::string& name : names) {
            removeFirst(name, settings.stringToRemove);
        }
    }
    if (settings.replaceString) {
        for (std::string& name : names) {
            replaceFirst(name, settings.replaceFrom, settings.replaceWith);
        }
    }
    for (std::string& name : names) {
        if (settings.lowerCase) {
            name = text::toLower(name);
        }
        if (settings.upperCase) {
            name = text::toUpper(name);
        }
        if (settings.firstLetterUpper) {
            name = text::capitalizeWords(name);
        }
    }
}

}  // namespace nameshift::engine
