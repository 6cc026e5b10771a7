#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "engine/contents/TagReader.h"
#include "engine/naming/BatchPlan.h"
#include "platform/MessageText.h"

namespace nameshift::engine {

// What a file gives a name template: its name as listed, its place among the ticked files, and,
// when the template asks for them, its tags and dates.
struct TemplateValues {
    std::string_view name;  // the base name, without the extension
    std::string_view extension;
    std::size_t position = 0;
    const TagTexts* tags = nullptr;
    FileTimes times;
    std::optional<std::tm> taken;
    std::optional<std::string> camera;
    std::optional<std::string> pixelSize;
    std::optional<std::string> duration;
    // The folder that holds the file, whole, and its path from the listed folder ("2024/05"),
    // empty for a file of the listed folder itself.
    std::string_view folder{};
    std::string_view pathFromListed{};
    // The file's place among the ticked files of its own folder.
    std::size_t positionInFolder = 0;
};

// Where a file stands in its batch, for the codes that count files or name their folders.
struct TemplatePlace {
    std::size_t position = 0;
    std::size_t positionInFolder = 0;
    std::string_view pathFromListed{};
};

// A new base name made of text and codes in braces, each filled from a file: "{name}", "{ext}",
// the counter "{n}" ("{n:3,start=10,step=5}", "per=folder" to count each folder from the start),
// the folders ("{folder}", "{folder:2}" two levels up, "{path}" from the listed folder), the tags
// ("{artist}", "{track:2}", ...) and the dates ("{taken:%Y-%m-%d}"), and what a picture or
// recording is ("{camera}", "{size}",
// "{duration}"). A text code takes "upper", "lower" or "title" after its colon, and
// any code takes a default after a bar ("{artist|Unknown Artist}"); "{{" and "}}" are braces.
class NameTemplate {
public:
    enum class Code : std::uint8_t {
        Name,
        Extension,
        Counter,
        Album,
        Artist,
        Genre,
        Title,
        Track,
        Year,
        AlbumArtist,
        Disc,
        Composer,
        Taken,
        Modified,
        Born,
        Camera,
        PixelSize,
        Duration,
        Folder,
        Path,
    };
    enum class Letters : std::uint8_t { AsTheyAre, Upper, Lower, Title };

    // Literal text, or one code with its format.
    struct Part {
        std::string text{};
        std::optional<Code> code{};
        Letters letters = Letters::AsTheyAre;
        std::size_t width = 0;  // the fewest digits of a counter, a track or a disc number
        long long start = 1;
        long long step = 1;
        bool perFolder = false;
        std::size_t levelsUp = 1;  // of a folder: 1 for the file's own
        std::string dateFormat{};  // empty: the date format the user set
        std::optional<std::string> fallback{};
    };

    // The template `text` stands for, or why it stands for none, with the place (counted in
    // characters from one) of what is wrong.
    static std::variant<NameTemplate, platform::MessageText> parse(std::string_view text);

    const std::vector<Part>& parts() const { return parts_; }
    bool readsTags() const;
    bool readsTaken() const;
    bool readsTimes() const;
    // Whether the template names the camera, the pixel size or the duration.
    bool readsFact(Code code) const;
    // Whether its text holds a "/", which files a file into folders beneath its own.
    bool makesFolders() const;

    // The base name the template gives the file, or why it gives none ("no artist tag"): a value
    // the file lacks and the code has no default for. A value's characters that a name may not
    // hold become "-"; dates are spelt by `dateFormat` unless the code has its own.
    std::variant<std::string, platform::MessageText> fill(const TemplateValues& values,
                                                          std::string_view dateFormat) const;

private:
    std::vector<Part> parts_;
};

// Gives `change` the name `made` makes of its file in `directory`, the extension kept, reading
// through `tags` only what the template asks for; `place` counts the file among the ticked
// ones. The reason when the file gets none, and its new name is then its old one.
std::optional<platform::MessageText> nameByTemplate(const NameTemplate& made, TagReader& tags,
                                                    const std::string& directory,
                                                    PlannedChange& change, TemplatePlace place,
                                                    std::string_view dateFormat);

}  // namespace nameshift::engine
