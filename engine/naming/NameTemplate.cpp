#include "engine/naming/NameTemplate.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <utility>

#include "engine/naming/FileDateText.h"
#include "engine/naming/TextCase.h"
#include "settings/InvalidCharacters.h"

namespace nameshift::engine {
namespace {

using Code = NameTemplate::Code;
using Letters = NameTemplate::Letters;

struct CodeName {
    std::string_view name;
    Code code;
};

constexpr std::array kCodeNames{
    CodeName{"name", Code::Name},      CodeName{"ext", Code::Extension},
    CodeName{"n", Code::Counter},      CodeName{"album", Code::Album},
    CodeName{"artist", Code::Artist},  CodeName{"genre", Code::Genre},
    CodeName{"title", Code::Title},    CodeName{"track", Code::Track},
    CodeName{"year", Code::Year},      CodeName{"albumartist", Code::AlbumArtist},
    CodeName{"disc", Code::Disc},      CodeName{"composer", Code::Composer},
    CodeName{"taken", Code::Taken},    CodeName{"modified", Code::Modified},
    CodeName{"born", Code::Born},      CodeName{"camera", Code::Camera},
    CodeName{"size", Code::PixelSize}, CodeName{"duration", Code::Duration},
    CodeName{"folder", Code::Folder},  CodeName{"path", Code::Path},
};

constexpr long long kMostStart = 999'999;
constexpr long long kMostStep = 999;
constexpr std::size_t kMostWidth = 9;

bool isTag(Code code) {
    return code >= Code::Album && code <= Code::Composer;
}
bool isDate(Code code) {
    return code >= Code::Taken && code <= Code::Born;
}
bool isNumbered(Code code) {
    return code == Code::Counter || code == Code::Track || code == Code::Disc;
}
std::size_t tagIndex(Code code) {
    return static_cast<std::size_t>(code) - static_cast<std::size_t>(Code::Album);
}

std::string_view nameOf(Code code) {
    return std::find_if(kCodeNames.begin(), kCodeNames.end(),
                        [code](const CodeName& known) { return known.code == code; })
        ->name;
}

// The place of byte `offset` of `text` as the user counts it: in characters, from one.
std::string characterPlace(std::string_view text, std::size_t offset) {
    const auto continuing = std::count_if(text.begin(), text.begin() + static_cast<long>(offset),
                                          [](char c) { return (c & 0xC0) == 0x80; });
    return std::to_string(offset - static_cast<std::size_t>(continuing) + 1);
}

std::optional<long long> numberIn(std::string_view text, long long least, long long most) {
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < least || value > most) {
        return std::nullopt;
    }
    return value;
}

// Reads a format into `part`; false when the code does not take it.
bool readFormat(std::string_view format, NameTemplate::Part& part) {
    const Code code = *part.code;
    if (code == Code::Folder) {
        if (const std::optional<long long> levels = numberIn(format, 1, 99)) {
            part.levelsUp = static_cast<std::size_t>(*levels);
            return true;
        }
    }
    if (isDate(code)) {
        part.dateFormat = std::string(format);
        return !format.empty();
    }
    if (!isNumbered(code)) {
        constexpr std::array<std::pair<std::string_view, Letters>, 3> kLetters{
            {{"upper", Letters::Upper}, {"lower", Letters::Lower}, {"title", Letters::Title}}};
        const auto* found =
            std::find_if(kLetters.begin(), kLetters.end(),
                         [format](const auto& known) { return known.first == format; });
        part.letters = found == kLetters.end() ? Letters::AsTheyAre : found->second;
        return found != kLetters.end();
    }
    bool first = true;
    while (true) {
        const std::size_t comma = format.find(',');
        const std::string_view item = format.substr(0, comma);
        std::optional<long long> value;
        if (first && (value = numberIn(item, 1, kMostWidth))) {
            part.width = static_cast<std::size_t>(*value);
        } else if (code == Code::Counter && item.starts_with("start=") &&
                   (value = numberIn(item.substr(6), 0, kMostStart))) {
            part.start = *value;
        } else if (code == Code::Counter && item.starts_with("step=") &&
                   (value = numberIn(item.substr(5), 1, kMostStep))) {
            part.step = *value;
        } else if (code == Code::Counter && item == "per=folder") {
            part.perFolder = true;
        } else {
            return false;
        }
        if (comma == std::string_view::npos) {
            return true;
        }
        format.remove_prefix(comma + 1);
        first = false;
    }
}

// The code `body` between braces that begin at byte `at` of `text`.
std::variant<NameTemplate::Part, platform::MessageText> readCode(std::string_view text,
                                                                 std::string_view body,
                                                                 std::size_t at) {
    NameTemplate::Part part;
    const std::size_t bar = body.find('|');
    if (bar != std::string_view::npos) {
        part.fallback = std::string(body.substr(bar + 1));
        body = body.substr(0, bar);
    }
    const std::size_t colon = body.find(':');
    const std::string_view name = body.substr(0, colon);
    const auto* known = std::find_if(kCodeNames.begin(), kCodeNames.end(),
                                     [name](const CodeName& code) { return code.name == name; });
    if (known == kCodeNames.end()) {
        return platform::MessageText{
            NS_MESSAGE("Message", "The name template has no code \"{%1}\" (at character %2)."),
            {std::string(name), characterPlace(text, at)}};
    }
    part.code = known->code;
    if (colon != std::string_view::npos && !readFormat(body.substr(colon + 1), part)) {
        return platform::MessageText{
            NS_MESSAGE("Message",
                       "The code \"{%1}\" of the name template does not take the format \"%2\" "
                       "(at character %3)."),
            {std::string(name), std::string(body.substr(colon + 1)),
             characterPlace(text, at + colon + 1)}};
    }
    return part;
}

platform::MessageText unbalanced(std::string_view text, std::size_t at) {
    return {NS_MESSAGE("Message",
                       "The brace at character %1 of the name template is not closed or not "
                       "opened; write \"{{\" or \"}}\" for a brace of its own."),
            {characterPlace(text, at)}};
}

std::string padded(std::string digits, std::size_t width) {
    if (digits.size() < width) {
        digits.insert(0, width - digits.size(), '0');
    }
    return digits;
}

// A track or disc number as "1/12" or "3" gives it, padded: the number before any "/". A text
// that is no number is kept as it is.
std::string paddedNumber(const std::string& text, std::size_t width) {
    const std::string_view number = std::string_view(text).substr(0, text.find('/'));
    if (width == 0 || number.empty() ||
        !std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return text;
    }
    return padded(std::string(number), width);
}

// The name of the folder `levelsUp` levels above the file, counting its own as one.
std::optional<std::string> folderName(std::string_view folder, std::size_t levelsUp) {
    while (folder.size() > 1 && folder.back() == '/') {
        folder.remove_suffix(1);
    }
    for (std::size_t level = 1; level < levelsUp; ++level) {
        const std::size_t slash = folder.rfind('/');
        if (slash == std::string_view::npos || slash == 0) {
            return std::nullopt;
        }
        folder = folder.substr(0, slash);
    }
    const std::size_t slash = folder.rfind('/');
    const std::string_view name =
        slash == std::string_view::npos ? folder : folder.substr(slash + 1);
    return name.empty() ? std::nullopt : std::optional<std::string>(name);
}

std::optional<std::string> valueOf(const NameTemplate::Part& part, const TemplateValues& values,
                                   std::string_view dateFormat) {
    const std::string_view format = part.dateFormat.empty() ? dateFormat : part.dateFormat;
    switch (*part.code) {
        case Code::Name:
            return std::string(values.name);
        case Code::Extension:
            return std::string(values.extension);
        case Code::Counter: {
            const std::size_t counted = part.perFolder ? values.positionInFolder : values.position;
            const long long value = part.start + part.step * static_cast<long long>(counted);
            return padded(std::to_string(value), part.width);
        }
        case Code::Folder:
            return folderName(values.folder, part.levelsUp);
        case Code::Path:
            return std::string(values.pathFromListed);
        case Code::Taken:
            return values.taken ? fileDateText(*values.taken, format) : std::nullopt;
        case Code::Modified:
            return values.times.modified ? fileDateText(*values.times.modified, format)
                                         : std::nullopt;
        case Code::Born:
            return values.times.born ? fileDateText(*values.times.born, format) : std::nullopt;
        case Code::Camera:
            return values.camera;
        case Code::PixelSize:
            return values.pixelSize;
        case Code::Duration:
            return values.duration;
        default:
            break;
    }
    const std::optional<std::string>* tag =
        values.tags == nullptr ? nullptr : &(*values.tags)[tagIndex(*part.code)];
    if (tag == nullptr || !*tag || (*tag)->empty()) {
        return std::nullopt;
    }
    return isNumbered(*part.code) ? paddedNumber(**tag, part.width) : **tag;
}

platform::MessageText missingText(Code code) {
    switch (code) {
        case Code::Taken:
            return NS_MESSAGE("Message", "no date taken");
        case Code::Modified:
            return NS_MESSAGE("Message", "no modification date");
        case Code::Born:
            return NS_MESSAGE("Message", "no birth date");
        case Code::Camera:
            return NS_MESSAGE("Message", "no camera");
        case Code::PixelSize:
            return NS_MESSAGE("Message", "no pixel size");
        case Code::Duration:
            return NS_MESSAGE("Message", "no duration");
        case Code::Folder:
            return NS_MESSAGE("Message", "no folder");
        default:
            return {NS_MESSAGE("Message", "no %1 tag"), {std::string(nameOf(code))}};
    }
}

// What a value may bring into a name: no control character (a line break would split the
// restore file's line) and none of the characters names may not hold.
std::string fitForName(std::string value, Letters letters) {
    switch (letters) {
        case Letters::Upper:
            value = text::toUpper(value);
            break;
        case Letters::Lower:
            value = text::toLower(value);
            break;
        case Letters::Title:
            value = text::capitalizeWords(text::toLower(value));
            break;
        case Letters::AsTheyAre:
            break;
    }
    for (char& c : value) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            c = '-';
        }
    }
    return settings::replaceInvalidCharacters(std::move(value));
}

}  // namespace

std::variant<NameTemplate, platform::MessageText> NameTemplate::parse(std::string_view text) {
    NameTemplate made;
    std::string literal;
    const auto endLiteral = [&] {
        if (!literal.empty()) {
            made.parts_.push_back(Part{.text = std::exchange(literal, {})});
        }
    };
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char c = text[at];
        if ((c == '{' || c == '}') && at + 1 < text.size() && text[at + 1] == c) {
            literal += c;
            ++at;
            continue;
        }
        if (c == '}') {
            return unbalanced(text, at);
        }
        if (c != '{') {
            literal += c;
            continue;
        }
        const std::size_t end = text.find_first_of("{}", at + 1);
        if (end == std::string_view::npos || text[end] == '{') {
            return unbalanced(text, at);
        }
        auto code = readCode(text, text.substr(at + 1, end - at - 1), at + 1);
        if (auto* refusal = std::get_if<platform::MessageText>(&code)) {
            return std::move(*refusal);
        }
        endLiteral();
        made.parts_.push_back(std::move(std::get<Part>(code)));
        at = end;
    }
    endLiteral();
    return made;
}

bool NameTemplate::readsTags() const {
    return std::any_of(parts_.begin(), parts_.end(),
                       [](const Part& part) { return part.code && isTag(*part.code); });
}

bool NameTemplate::readsTaken() const {
    return std::any_of(parts_.begin(), parts_.end(),
                       [](const Part& part) { return part.code == Code::Taken; });
}

bool NameTemplate::readsTimes() const {
    return std::any_of(parts_.begin(), parts_.end(), [](const Part& part) {
        return part.code == Code::Modified || part.code == Code::Born;
    });
}

bool NameTemplate::readsFact(Code code) const {
    return std::any_of(parts_.begin(), parts_.end(),
                       [code](const Part& part) { return part.code == code; });
}

bool NameTemplate::makesFolders() const {
    return std::any_of(parts_.begin(), parts_.end(), [](const Part& part) {
        return !part.code && part.text.find('/') != std::string::npos;
    });
}

std::variant<std::string, platform::MessageText> NameTemplate::fill(
    const TemplateValues& values, std::string_view dateFormat) const {
    std::string name;
    for (const Part& part : parts_) {
        if (!part.code) {
            name += part.text;
            continue;
        }
        std::optional<std::string> value = valueOf(part, values, dateFormat);
        if (!value && !part.fallback) {
            return missingText(*part.code);
        }
        name += fitForName(value ? std::move(*value) : std::string(*part.fallback), part.letters);
    }
    return name;
}

std::optional<platform::MessageText> nameByTemplate(const NameTemplate& made, TagReader& tags,
                                                    const std::string& directory,
                                                    PlannedChange& change, TemplatePlace place,
                                                    std::string_view dateFormat) {
    const std::string_view name = change.oldName;
    const std::size_t dot = std::min(name.rfind('.'), name.size());
    const std::string path = directory + "/" + std::string(name);
    TagTexts texts;
    TemplateValues values{name.substr(0, dot),
                          name.substr(std::min(dot + 1, name.size())),
                          place.position,
                          nullptr,
                          {},
                          std::nullopt,
                          std::nullopt,
                          std::nullopt,
                          std::nullopt,
                          directory,
                          place.pathFromListed,
                          place.positionInFolder};
    if (made.readsTags()) {
        texts = tags.read(path);
        values.tags = &texts;
    }
    if (made.readsTimes()) {
        values.times = tags.times(path);
    }
    if (made.readsTaken()) {
        values.taken = tags.taken(path);
    }
    if (made.readsFact(Code::Camera)) {
        values.camera = tags.fact(path, MediaFact::Camera);
    }
    if (made.readsFact(Code::PixelSize)) {
        values.pixelSize = tags.fact(path, MediaFact::PixelSize);
    }
    if (made.readsFact(Code::Duration)) {
        values.duration = tags.fact(path, MediaFact::Duration);
    }
    auto filled = made.fill(values, dateFormat);
    if (auto* reason = std::get_if<platform::MessageText>(&filled)) {
        change.newName = std::string(name);
        return std::move(*reason);
    }
    change.newName = std::move(std::get<std::string>(filled)) + std::string(name.substr(dot));
    return std::nullopt;
}

}  // namespace nameshift::engine
