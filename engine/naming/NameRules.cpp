#include "engine/naming/NameRules.h"

#include <algorithm>
#include <cctype>

#include "engine/naming/PositionRules.h"
#include "engine/naming/PreparedRules.h"
#include "engine/naming/TextCase.h"
#include "engine/naming/TrimRules.h"

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

// A count typed into an edit, where nothing sensible and anything negative count as none.
std::size_t parseCount(const std::string& text) {
    return static_cast<std::size_t>(std::max(0LL, parseCounterValue(text)));
}

platform::Message batchTookTooLong(const std::string& name) {
    return platform::Message{
        platform::MessageText(
            NS_MESSAGE("Message",
                       "The regular expression takes too long on the names of this batch taken "
                       "together; it was stopped at the name \"%1\". Please make it simpler, or "
                       "rename fewer files at a time."),
            {name}),
        NS_MESSAGE("Message", "Regular Expression Too Slow"), platform::Icon::Stop};
}

std::optional<platform::Message> applyPattern(PatternRule* rule, std::span<std::string> names) {
    if (rule == nullptr) {
        return std::nullopt;
    }
    for (std::string& name : names) {
        // A search stopped for time leaves the name as it was: no copy of each name is needed to
        // tell which one it was.
        switch (rule->apply(name)) {
            case PatternRule::Outcome::TookTooLong:
                return tookTooLong(name);
            case PatternRule::Outcome::BatchTookTooLong:
                return batchTookTooLong(name);
            case PatternRule::Outcome::Done:
                break;
        }
    }
    return std::nullopt;
}

// Changes the letter case of the part of the name the scope names; `change` maps a text.
template <typename Change>
void changeCase(std::string& name, settings::CaseScope scope, Change change) {
    using settings::CaseScope;
    if (scope == CaseScope::Both) {
        name = change(name);
        return;
    }
    const std::size_t dot = name.rfind('.');
    if (scope == CaseScope::NameOnly) {
        const std::size_t end = dot == std::string::npos ? name.size() : dot;
        name = change(std::string_view(name).substr(0, end)) + name.substr(end);
    } else if (dot != std::string::npos) {
        name = name.substr(0, dot + 1) + change(std::string_view(name).substr(dot + 1));
    }
}

void applyPlaceEdits(const RenameSettings& settings, std::span<std::string> names) {
    if (settings.insertText) {
        const std::size_t at = parseCount(settings.insertAt);
        for (std::string& name : names) {
            insertAtCharacter(name, settings.insertedText, at, settings.insertFromEnd);
        }
    }
    if (settings.removeCharacters) {
        const std::size_t count = parseCount(settings.removeCount);
        const std::size_t at = parseCount(settings.removeAt);
        for (std::string& name : names) {
            removeCharacters(name, count, at, settings.removeFromEnd);
        }
    }
}

void applyTidying(PreparedRules& rules, std::span<std::string> names) {
    const RenameSettings& settings = rules.settings();
    for (std::string& name : names) {
        if (settings.trimEnds) {
            trimBaseName(name);
        }
        if (settings.collapseSpaces) {
            collapseSpaces(name);
        }
        if (const Transliteration* accents = rules.withoutAccents()) {
            accents->apply(name);
        }
        if (const Transliteration* latin = rules.latinOnly()) {
            latin->apply(name);
        }
    }
}

void applyLetterCase(const RenameSettings& settings, std::span<std::string> names) {
    for (std::string& name : names) {
        if (settings.lowerCase) {
            changeCase(name, settings.caseScope, text::toLower);
        }
        if (settings.upperCase) {
            changeCase(name, settings.caseScope, text::toUpper);
        }
        if (settings.firstLetterUpper) {
            changeCase(name, settings.caseScope, text::capitalizeWords);
        }
        if (settings.lowerExtension) {
            changeCase(name, settings::CaseScope::ExtensionOnly, text::toLower);
        }
    }
}

}  // namespace

platform::Message tookTooLong(const std::string& name) {
    return platform::Message{
        platform::MessageText(
            NS_MESSAGE("Message",
                       "The regular expression takes too long on the name \"%1\". Please "
                       "make it simpler."),
            {name}),
        NS_MESSAGE("Message", "Regular Expression Too Slow"), platform::Icon::Stop};
}

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
            break;  // the edits hold six digits; a longer text cannot make sense as a counter
        }
        value = value * 10 + (text[i] - '0');
    }
    return negative ? -value : value;
}

std::optional<platform::Message> applyNameRules(PreparedRules& rules, std::span<std::string> names,
                                                std::size_t firstPosition) {
    const RenameSettings& settings = rules.settings();
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
    if (auto refusal = applyPattern(rules.removal(), names)) {
        return refusal;
    }
    if (auto refusal = applyPattern(rules.replacement(), names)) {
        return refusal;
    }
    applyPlaceEdits(settings, names);
    applyTidying(rules, names);
    applyLetterCase(settings, names);
    return std::nullopt;
}

std::optional<platform::Message> applyNameRules(const RenameSettings& settings,
                                                std::span<std::string> names,
                                                std::size_t firstPosition) {
    PreparedRules rules(settings);
    return applyNameRules(rules, names, firstPosition);
}

}  // namespace nameshift::engine
