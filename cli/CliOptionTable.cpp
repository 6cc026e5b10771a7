#include "cli/CliOptionTable.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "engine/naming/PatternRule.h"

namespace nameshift::cli {
namespace {

using R = settings::RenameSettings;
using K = ValueKind;
using G = OptionGroup;

// The longest base name has 255 characters; a count of them goes no further.
constexpr int kLongestCount = 255;

// A batch's number is digits alone, as history prints it: "-1" would read as 2^64 - 1.
std::string checkBatchNumber(const std::string& number) {
    if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos) {
        return "\"" + number + "\" is not a batch's number; history prints them";
    }
    return {};
}

// The dialog's mask list holds "*.*" and "*" + one extension; nothing else can be chosen there.
std::string checkMask(const std::string& mask) {
    if (mask == "*.*") {
        return {};
    }
    const std::string_view extension =
        std::string_view(mask).substr(std::min<std::size_t>(2, mask.size()));
    if (mask.size() < 3 || mask.compare(0, 2, "*.") != 0 ||
        extension.find_first_of(".*?[/") != std::string_view::npos) {
        return "must be *.* or * followed by one extension, such as *.txt";
    }
    return {};
}

std::string checkCounter(const std::string& counter) {
    if (std::count(counter.begin(), counter.end(), ',') != 1) {
        return "must be START,STEP, such as 1,1";
    }
    return {};
}

std::string checkAttributes(const std::string& letters) {
    if (letters.find_first_not_of("ahrs") != std::string::npos) {
        return "takes only the letters a (archive), h (hidden), r (read-only), s (system)";
    }
    return {};
}

// A filter is an ICU regular expression, refused with the reason ICU gives.
std::string checkFilter(const std::string& pattern) {
    const std::optional<std::string> problem = engine::patternProblem(pattern, true);
    return problem ? "cannot be used: " + *problem : std::string();
}

void setCounter(CliOptions& options, const CLI::Option& given) {
    const auto value = given.as<std::string>();
    const auto comma = value.find(',');
    options.rules.text(&R::counterStart) = value.substr(0, comma);
    options.rules.text(&R::counterIncrement) = value.substr(comma + 1);
}

void setCounterDigits(CliOptions& options, const CLI::Option& given) {
    options.rules.counterDigitsIndex = given.as<int>() - 1;
}

void setCaseScope(CliOptions& options, const CLI::Option& given) {
    const auto word = given.as<std::string>();
    options.rules.caseScope = word == "name"  ? settings::CaseScope::NameOnly
                              : word == "ext" ? settings::CaseScope::ExtensionOnly
                                              : settings::CaseScope::Both;
}

void setId3Mode(CliOptions& options, const CLI::Option& given) {
    options.rules.id3Mode =
        settings::choiceAt<settings::Id3RenameMode>(given.as<std::string>().front() - '0');
}

void setTrim(CliOptions& options, const CLI::Option& /*given*/) {
    options.rules.rulesTurnedOn.push_back(&R::trimEnds);
    options.rules.rulesTurnedOn.push_back(&R::collapseSpaces);
}

// --regex and --all mean the texts given; given none, they mean the saved texts of both.
void turnOnForTexts(RuleOverrides& rules, bool R::*removeRule, bool R::*replaceRule) {
    const bool removing = rules.text(&R::stringToRemove).has_value();
    const bool replacing = rules.text(&R::replaceFrom).has_value();
    if (removing || !replacing) {
        rules.rulesTurnedOn.push_back(removeRule);
    }
    if (replacing || !removing) {
        rules.rulesTurnedOn.push_back(replaceRule);
    }
}

void setRegex(CliOptions& options, const CLI::Option& /*given*/) {
    turnOnForTexts(options.rules, &R::removeRegex, &R::replaceRegex);
}

void setAllOccurrences(CliOptions& options, const CLI::Option& /*given*/) {
    turnOnForTexts(options.rules, &R::removeAllOccurrences, &R::replaceAllOccurrences);
}

void setIgnoreCase(CliOptions& options, const CLI::Option& /*given*/) {
    options.rules.rulesTurnedOff.push_back(&R::removeMatchCase);
    options.rules.rulesTurnedOff.push_back(&R::replaceMatchCase);
}

void setOnlyFolders(CliOptions& options, const CLI::Option& /*given*/) {
    options.rules.rulesTurnedOn.push_back(&R::attributeFolders);
    for (bool R::*file :
         {&R::attributeArchive, &R::attributeHidden, &R::attributeReadOnly, &R::attributeSystem}) {
        options.rules.rulesTurnedOff.push_back(file);
    }
}

void setRestoreFile(CliOptions& options, const CLI::Option& /*given*/) {
    options.restoreFile = RestoreFileChoice::Create;
}

void setNoRestoreFile(CliOptions& options, const CLI::Option& /*given*/) {
    options.restoreFile = RestoreFileChoice::None;
}

void setVerbose(CliOptions& options, const CLI::Option& /*given*/) {
    options.verbosity = Verbosity::Verbose;
}

void setQuiet(CliOptions& options, const CLI::Option& /*given*/) {
    options.verbosity = Verbosity::Quiet;
}

void setRecursive(CliOptions& options, const CLI::Option& /*given*/) {
    if (!options.rules.subfolderDepth) {
        options.rules.subfolderDepth = -1;
    }
}

void setDepth(CliOptions& options, const CLI::Option& given) {
    options.rules.subfolderDepth = given.as<int>();
}

void setBatchId(CliOptions& options, const CLI::Option& given) {
    options.batchId = given.as<std::uint64_t>();
}

// The shapes most rows have: a flag, a text and a choice of words, with their manual's paragraph
// and the head of its item when the row has them.
constexpr CliOptionRow flag(const char* names, OptionTarget target, G group, const char* help,
                            const char* manual = nullptr, const char* manualHead = nullptr) {
    return {.names = names,
            .target = target,
            .group = group,
            .help = help,
            .manualHead = manualHead,
            .manual = manual};
}

constexpr CliOptionRow text(const char* names, const char* valueName, OptionTarget target, G group,
                            const char* help, const char* manual = nullptr,
                            const char* manualHead = nullptr) {
    CliOptionRow row = flag(names, target, group, help, manual, manualHead);
    row.kind = K::Text;
    row.valueName = valueName;
    return row;
}

constexpr CliOptionRow choice(const char* names, const char* choices, OptionTarget target, G group,
                              const char* help, const char* manual = nullptr) {
    CliOptionRow row = flag(names, target, group, help, manual);
    row.kind = K::Choice;
    row.choices = choices;
    return row;
}

constexpr CliOptionRow value(const char* names, K kind, const char* valueName, OptionTarget target,
                             G group, const char* help, const char* manual = nullptr) {
    CliOptionRow row = text(names, valueName, target, group, help, manual);
    row.kind = kind;
    return row;
}

// The order of the help, which is also the order in which the rules' flags are taken. A constant,
// so that the tables of tests can read it before main.
constexpr std::array kOptionRows = std::to_array<CliOptionRow>({
    {.names = "-h,--help",
     .kind = K::Help,
     .group = G::Output,
     .help = "Print this help message and exit",
     .manual = "Print the help and exit."},
    {.names = "--version",
     .kind = K::Version,
     .group = G::Output,
     .help = "Print the version and exit",
     .manual = "Print the version and exit."},
    value("--settings-dir", K::Directory, "DIR", &CliOptions::settingsDirectory, G::Settings,
          "Where renset.ini, opt.ini and ID3Opts.ini are read and saved (default: "
          "$XDG_CONFIG_HOME/nameshift or ~/.config/nameshift, as for the program started from "
          "the menu; . for the current directory)",
          R"~(Read and save
.Pa renset.ini ,
.Pa opt.ini
and
.Pa ID3Opts.ini
in
.Ar dir
instead of the settings folder;
.Ql \&.
is the current directory.)~"),
    flag("--saved-rules", &CliOptions::savedRules, G::Settings,
         "Start from the rules saved in renset.ini, as the program does; the rule options "
         "given override them",
         R"~(Start from the rules saved in
.Pa renset.ini
instead of from none.)~"),
    {.names = "--no-settings",
     .target = &CliOptions::noSettings,
     .excludes = "--saved-rules",
     .help = "Skip renset.ini and start from the rules used when it cannot be read, as without "
             "--saved-rules",
     .manual = R"~(Read no
.Pa renset.ini :
the rules come from the options given alone.)~"},
    value("--preset", K::Preset, "NAME", &CliOptions::preset, G::Settings,
          "Put the rules of this preset (see save-preset) over the saved ones; the rule "
          "options given override them",
          R"~(Put the rules of the preset
.Ar name
over the saved ones, before the options given.)~"),
    value("--dir", K::Directory, "DIR", &CliOptions::directory, G::Listing,
          "The directory whose files are listed and renamed (default: the current directory)",
          R"~(The directory whose files are listed and renamed; the default is the current
directory.)~"),
    {.names = "--mask",
     .kind = K::Text,
     .valueName = "PATTERN",
     .check = checkMask,
     .target = &CliOptions::mask,
     .group = G::Listing,
     .help = "List only the files with this extension, such as *.txt (default: *.*)",
     .manual = R"~(List only the files with this extension, such as
.Ql *.txt ;
the default
.Ql *.*
lists every file.)~"},
    value("--select", K::Repeated, "GLOB", &CliOptions::selectGlobs, G::Listing,
          "Select the listed files whose names match this glob; repeatable (default: every "
          "listed file)",
          R"~(Select the listed files whose names match
.Ar glob .
May be given more than once; without it every listed file is selected.)~"),
    {.names = "--attributes",
     .kind = K::Text,
     .valueName = "LETTERS",
     .check = checkAttributes,
     .target = &RuleOverrides::attributes,
     .group = G::Listing,
     .help = "List files with any of these attributes: a archive (regular file), h hidden (dot "
             "file), r read-only, s system (not a regular file)",
     .manual = R"~(List the files with any of these attributes:
.Cm a
archive (a regular file),
.Cm h
hidden (a name that starts with a dot),
.Cm r
read-only,
.Cm s
system (not a regular file).)~"},
    flag("--folders", &R::attributeFolders, G::Listing,
         "List folders as entries too, to be renamed as files are",
         R"~(List the folders as entries too, renamed by the same rules as files.
A folder renamed with anything inside it is refused:
rename the folder in a batch of its own.)~"),
    {.names = "--only-folders",
     .target = setOnlyFolders,
     .group = G::Listing,
     .excludes = "--attributes",
     .help = "List folders only, no files",
     .manual = R"~(List the folders only, as
.Fl \-folders
does, and no files.)~"},
    choice("--sort", "date|extension|name|size", &RuleOverrides::sortKey, G::Listing,
           "Sort the list by this key", "The order of the list."),
    flag("--natural", &R::naturalOrder, G::Listing,
         "Sort names by the value of their numbers, file2 before file10",
         R"~(Sort names by the value of their numbers:
.Pa file2
before
.Pa file10 .)~"),
    flag("-R,--recursive", setRecursive, G::Listing,
         "List the files of every subfolder too, named by their path from the folder; links to "
         "folders and other filesystems are not entered",
         R"~(List the files of every subfolder too,
named by their path from the folder, such as
.Pa 2024/05/IMG_1.jpg ;
each keeps its folder.
Links to folders are not followed and other filesystems are not entered.)~"),
    {.names = "--depth",
     .kind = K::Count,
     .valueName = "0..99999",
     .least = 0,
     .most = 99'999,
     .target = setDepth,
     .group = G::Listing,
     .help = "List the files of this many levels of subfolders (0: the folder alone)",
     .manualHead = R"~(Fl \-depth Ar n)~",
     .manual = R"~(List the files of
.Ar n
levels of subfolders;
0 lists the folder alone.)~"},
    {.names = "--include",
     .kind = K::Text,
     .valueName = "REGEX",
     .check = checkFilter,
     .target = &RuleOverrides::includeFilter,
     .group = G::Listing,
     .help = "List only the files whose names hold this ICU regular expression; one with a / "
             "is searched in the path from the folder, such as ^2024/",
     .manual = R"~(List only the files whose names hold the ICU regular expression
.Ar regex ,
searched anywhere in the name; one that holds a
.Ql /
is searched in the path from the folder instead, so
.Ql ^2024/
keeps the files beneath
.Pa 2024 .)~"},
    {.names = "--exclude",
     .kind = K::Text,
     .valueName = "REGEX",
     .check = checkFilter,
     .target = &RuleOverrides::excludeFilter,
     .group = G::Listing,
     .help = "Leave out the files whose names hold this ICU regular expression, searched as "
             "--include's; a folder it leaves out whole is not read",
     .manual = R"~(Leave out the files whose names hold
.Ar regex ,
searched as for
.Fl \-include ;
both may be given.
A folder whose path the pattern takes whole, such as
.Ql ^cache/ ,
is not read at all.
The files left out keep their names, and no file is renamed to one of them.)~"},
    flag("--number-duplicates", &R::numberDuplicates, G::Listing,
         "Give files that would get one name \" (2)\", \" (3)\" before the extension, in "
         "list order, instead of refusing the batch",
         R"~(Give files that would get one name
.Ql " (2)" ,
.Ql " (3)"
and so on before the extension, in list order, instead of refusing the batch.)~"),
    text("--prefix", "TEXT", &R::prefixText, G::Rules, "Change Prefix: add or put this text",
         R"~(.Dq Change Prefix :
add or put
.Ar text .)~"),
    choice("--prefix-at", "begin|end|replace", &RuleOverrides::prefixPosition, G::Rules,
           "Where the prefix goes",
           "Where the prefix goes: before the name, after it, or in its place."),
    {.names = "--counter",
     .kind = K::Text,
     .valueName = "START,STEP",
     .check = checkCounter,
     .target = setCounter,
     .group = G::Rules,
     .help = "Use Counter: start at START (up to 6 digits), add STEP (up to 3 digits, not zero) "
             "for each file",
     .manualHead = R"~(Fl \-counter Ar start , Ns Ar step)~",
     .manual = R"~(.Dq Use Counter :
start at
.Ar start
and add
.Ar step
for each file;
.Ar start
has at most six digits,
.Ar step
at most three and is not zero.)~"},
    {.names = "--counter-digits",
     .kind = K::Count,
     .valueName = "1..6",
     .least = 1,
     .most = 6,
     .target = setCounterDigits,
     .group = G::Rules,
     .help = "Pad the counter with zeros to this many digits",
     .manualHead = R"~(Fl \-counter-digits Ar n)~",
     .manual = R"~(Pad the counter with zeros to
.Ar n
digits, 1 to 6.)~"},
    choice("--counter-at", "prepend|append", &RuleOverrides::counterPosition, G::Rules,
           "Where the counter goes", "Whether the counter goes before or after the name."),
    flag("--continue-counter", &R::continueCounter, G::Rules,
         "Start the counter where the last batch in the directory stopped",
         "Start the counter where the last batch in the directory stopped."),
    text("--ext", "TEXT", &R::extensionText, G::Rules, "Change Extension: add or put this text",
         R"~(.Dq Change Extension :
add or put
.Ar text .)~"),
    choice("--ext-at", "begin|end|replace", &RuleOverrides::extensionPosition, G::Rules,
           "Where the extension text goes", "Where the extension text goes."),
    flag("--remove-spaces", &R::removeSpaces, G::Rules, "Remove all spaces",
         "Remove all spaces, square brackets, tildes or hyphens.", R"~(Xo
.Fl \-remove-spaces , \-remove-brackets ,
.Fl \-remove-tildes , \-remove-hyphens
.Xc)~"),
    flag("--remove-brackets", &R::removeBrackets, G::Rules, "Remove all square brackets"),
    flag("--remove-tildes", &R::removeTildes, G::Rules, "Remove all tildes"),
    flag("--remove-hyphens", &R::removeHyphens, G::Rules, "Remove all hyphens"),
    text("--remove", "TEXT", &R::stringToRemove, G::Rules,
         "Remove the first occurrence of this text", R"~(Remove the first occurrence of
.Ar text .)~"),
    text("--replace", "FROM", &R::replaceFrom, G::Rules,
         "Replace the first occurrence of this text by the --with text",
         R"~(Replace the first occurrence of
.Ar from
by
.Ar to ,
which is empty when
.Fl \-with
is not given.)~",
         R"~(Fl \-replace Ar from Op Fl \-with Ar to)~"),
    {.names = "--with",
     .kind = K::Text,
     .valueName = "TO",
     .target = &R::replaceWith,
     .group = G::Rules,
     .needs = "--replace",
     .help = "The replacement for --replace (default: empty)"},
    text("--template", "TEMPLATE", &RuleOverrides::nameTemplate, G::Rules,
         "Make the base name from a template, before the other rules: {name} {ext}, "
         "{n:3,start=1,step=1}, the tags {artist} {album} {title} {track:2} {disc:2} {year} "
         "{genre} {albumartist} {composer}, the dates {taken:%Y-%m-%d} {modified} {born}, "
         "{camera} {size} {duration}, the folders {folder} {folder:2} {path}, "
         "{n:3,per=folder}; "
         "{code:upper|lower|title}, {code|default}, {{ and }} for braces",
         R"~(Makes the base name from a template before the other rules apply.
The extension is kept.
Codes stand in braces:
.Ql {name}
and
.Ql {ext}
of the file,
.Ql {n}
the counter over the ticked files, padded as
.Ql {n:3}
and started and stepped as
.Ql {n:3,start=10,step=5} ,
the tags
.Ql {artist} , {album} , {title} , {track} , {disc} , {year} , {genre} , {albumartist}
and
.Ql {composer}
.Po
.Ql {track:2}
pads the number before any
.Ql /
.Pc ,
and the dates
.Ql {taken} , {modified}
and
.Ql {born} ,
with a format of their own as
.Ql {taken:%Y-%m-%d} ,
and what a picture or recording is:
.Ql {camera} , {size}
and
.Ql {duration} ,
as
.Ql %c , %x
and
.Ql %d
of
.Fl \-id3-format ;
and the folders:
.Ql {folder}
names the file's folder,
.Ql {folder:2}
the one two levels up, and
.Ql {path}
the path of the file's folder from the listed one.
.Ql {n:3,per=folder}
counts each folder's files from the start.
A text takes
.Ql :upper , :lower
or
.Ql :title ,
any code a default as
.Ql {artist|Unknown Artist} ;
.Ql {{
and
.Ql }}
are braces.
A file that lacks a value with no default keeps its name, and the reason is
shown.)~",
         R"~(Fl \-template Ar template)~"),
    flag("--regex", setRegex, G::Rules,
         "The --remove and --replace texts are regular expressions (ICU syntax), and --with "
         "may use their groups as $1 or ${name}; without either text, the saved texts of "
         "both are",
         R"~(The
.Fl \-remove
and
.Fl \-replace
texts given are regular expressions in ICU's syntax, and
.Fl \-with
may use their groups as
.Ql $1
to
.Ql $9
or
.Ql ${name} ;
given neither text, the saved texts of both are.
An invalid pattern is refused with exit status 2, and a pattern that takes too
long on a name is refused rather than left to run.)~"),
    flag("--all", setAllOccurrences, G::Rules,
         "Remove or replace every occurrence, not the first; without --remove or --replace, "
         "in both rules",
         R"~(Remove or replace every occurrence instead of the first, in the rules whose
texts are given, or in both when neither is.)~"),
    flag("--ignore-case", setIgnoreCase, G::Rules,
         "Remove and replace whatever the letter case of the text",
         "Remove and replace whatever the letter case of the text."),
    text("--insert", "TEXT", &R::insertedText, G::Rules,
         "Insert this text into the base name, at the --insert-at character", R"~(Insert
.Ar text
into the base name after its
.Ar n Ns th
character, 0 to 255, counted from its start or, with
.Fl \-insert-from-end ,
from its end.)~",
         R"~(Fl \-insert Ar text Op Fl \-insert-at Ar n Op Fl \-insert-from-end)~"),
    {.names = "--insert-at",
     .kind = K::Count,
     .valueName = "N",
     .least = 0,
     .most = kLongestCount,
     .target = &R::insertAt,
     .group = G::Rules,
     .help = "Insert after this many characters of the base name (default: 0, at its start)"},
    flag("--insert-from-end", &R::insertFromEnd, G::Rules,
         "Count the --insert-at characters from the end of the base name"),
    {.names = "--remove-chars",
     .kind = K::Count,
     .valueName = "N",
     .least = 1,
     .most = kLongestCount,
     .target = &R::removeCount,
     .group = G::Rules,
     .help = "Remove this many characters of the base name",
     .manualHead = R"~(Fl \-remove-chars Ar n Op Fl \-remove-at Ar m Op Fl \-remove-from-end)~",
     .manual = R"~(Remove
.Ar n
characters of the base name, 1 to 255, after its
.Ar m Ns th,
0 to 255, counted from its start or, with
.Fl \-remove-from-end ,
from its end.)~"},
    {.names = "--remove-at",
     .kind = K::Count,
     .valueName = "M",
     .least = 0,
     .most = kLongestCount,
     .target = &R::removeAt,
     .group = G::Rules,
     .help = "Remove them after this many characters of the base name (default: 0, from its "
             "start)"},
    flag("--remove-from-end", &R::removeFromEnd, G::Rules,
         "Count the --remove-at characters from the end of the base name"),
    flag("--trim", setTrim, G::Rules,
         "Trim spaces, dots, underscores and hyphens from both ends of the base name and "
         "make each run of spaces one",
         R"~(Trim spaces, dots, underscores and hyphens from both ends of the base name, and
make each run of spaces one space.)~"),
    flag("--remove-accents", &R::removeAccents, G::Rules, "Take the accents off letters",
         "Take the accents off letters."),
    flag("--ascii", &R::latinOnly, G::Rules, "Spell every letter in plain ASCII",
         "Spell every letter in plain ASCII."),
    flag("--lower", &R::lowerCase, G::Rules, "Make all lower case",
         R"~(Make the name all lower case, all upper case, or the first letter of each word
upper case.)~",
         R"~(Fl \-lower , Fl \-upper , Fl \-title)~"),
    flag("--upper", &R::upperCase, G::Rules, "Make all upper case"),
    flag("--title", &R::firstLetterUpper, G::Rules,
         "Make the first letter of each word upper case"),
    choice("--case-scope", "name|ext|both", setCaseScope, G::Rules,
           "What the letter case changes: the base name, the extension or both (default: both)",
           "What those change: the base name, the extension, or both (the default)."),
    flag("--lower-ext", &R::lowerExtension, G::Rules, "Make the extension lower case",
         "Make the extension lower case."),
    flag("--id3", &R::supportId3, G::Id3,
         "Name MP3 files from their ID3 tags, by the mode and format of ID3Opts.ini",
         R"~(Name MP3 files from their ID3 tags, by the format and the mode of
.Pa ID3Opts.ini .)~"),
    text("--id3-format", "FMT", &RuleOverrides::id3Format, G::Id3,
         "The tag name format: %1 album, %2 artist, %3 genre, %4 track name, %5 track "
         "number, %6 year, %7 album artist, %8 disc number, %9 composer, %m date modified, "
         "%b date created, %t date a photo or video was taken, %c camera, %x pixel size "
         "(4032x3024), %d duration (M.SS, H.MM.SS)",
         R"~(The name format:
.Ql %1
album,
.Ql %2
artist,
.Ql %3
genre,
.Ql %4
track name,
.Ql %5
track number,
.Ql %6
year,
.Ql %7
album artist,
.Ql %8
disc number,
.Ql %9
composer,
.Ql %m
the date the file was modified,
.Ql %b
the date it was created (missing where the filesystem keeps none),
.Ql %t
the date a photo or video was taken,
.Ql %c
the camera,
.Ql %x
the pixel size as
.Ql 4032x3024 ,
.Ql %d
the duration as
.Ql M.SS ,
from an hour up as
.Ql H.MM.SS .
MP3 files are read from their ID3 tags; FLAC, Ogg Vorbis, Opus, Speex, MP4 and
M4A, WMA, WAV, AIFF, WavPack, Musepack and APE files from their own tags, where
.Ql %3
is the genre.
The file's dates are there for every file.
.Ql %t
is read from the EXIF data of JPEG, TIFF, PNG and HEIC pictures and of the
raw files of cameras (CR2, NEF, ARW, DNG, ORF, RW2, PEF and others): the date
the picture was taken, else the date it was digitised, else its date; as the
camera's clock showed it, in no time zone.
Of MP4 and QuickTime videos it is the creation time of the movie, in local
time.
Only the first megabyte of a file is read for it; a file without such a date
lacks
.Ql %t .
.Ql %c
is the camera's model as the picture's EXIF data or the video's container
records it, the make in front where the model does not start with it;
.Ql %x
the size of a picture or a video;
.Ql %d
the length of a song or a video.
Pictures are read through exiv2, songs through TagLib, MP4, QuickTime,
Matroska, WebM and AVI videos through libavformat; a file without the value
lacks the code.)~",
         R"~(Fl \-id3-format Ar format)~"),
    text("--date-format", "FMT", &RuleOverrides::dateFormat, G::Id3,
         "How %m, %b and %t spell a date, in strftime's codes (here %m is the month); "
         "default \"%Y-%m-%d %H.%M.%S\"; / and : become - and .",
         R"~(How
.Ql %m ,
.Ql %b
and
.Ql %t
spell a date, in the codes of the C library's
.Fn strftime ,
a namespace of their own: here
.Ql %m
is the month.
The default is
.Ql %Y-%m-%d %H.%M.%S .
A
.Ql /
becomes
.Ql -
and a
.Ql \&:
becomes
.Ql \&. .)~",
         R"~(Fl \-date-format Ar format)~"),
    choice("--id3-mode", "0|1|2", setId3Mode, G::Id3,
           "When frames are missing: 0 rename by the rules, 1 keep the old name, 2 use the "
           "frames that are there",
           R"~(What a file whose tag misses a frame of the format gets:
.Cm 0
a name by the rules,
.Cm 1
its old name,
.Cm 2
a name from the frames that are there.)~"),
    flag("-0,--null", &CliOptions::nullSeparated, G::Output,
         "Separate names with NUL bytes instead of tabs and newlines",
         "Separate names with NUL bytes instead of tabs and newlines."),
    text("--names-from", "FILE", &CliOptions::namesFrom, G::Rules,
         "preview and apply: give the listed files, in their order, the names of FILE (- for "
         "standard input), one a line, instead of the rules'",
         R"~(.Cm preview
and
.Cm apply :
give the listed files, in their order, the names of
.Ar file ,
one a line
.Po
.Ql -
for standard input
.Pc ,
instead of the names the rules make.
A count of names other than the files', an empty line or a name with a
character that names may not hold is refused with its line number.)~",
         R"~(Fl \-names-from Ar file)~"),
    flag("--json", &CliOptions::json, G::Output,
         "preview, apply and history: print one JSON document instead of lines; a byte of a "
         "name that is not UTF-8 is written as the lone surrogate U+DC80 plus its value less 0x80",
         R"~(.Cm preview , apply
and
.Cm history :
print one JSON document instead of lines.
For
.Cm preview ,
the refusal apply would give and each ticked file's folder, old and new
names, verdict
.Pq Ql rename , Ql unchanged , Ql refused
and reason; for
.Cm apply ,
the counts and each file renamed; for
.Cm history ,
each batch's number, time, folder, count and state.
A byte of a name that is not part of valid UTF-8 is written as the lone
surrogate U+DC80 plus its value less 0x80, as Python's
.Ql surrogateescape
reads it.)~"),
    flag("--restore-file", setRestoreFile, G::Output,
         "apply: write restore.dat whatever opt.ini says", R"~(.Cm apply :
write
.Pa restore.dat ,
or write no restore file, whatever
.Pa opt.ini
says.)~",
         R"~(Fl \-restore-file , Fl \-no-restore-file)~"),
    {.names = "--no-restore-file",
     .target = setNoRestoreFile,
     .group = G::Output,
     .excludes = "--restore-file",
     .help = "apply: write no restore file whatever opt.ini says"},
    {.names = "--history-only",
     .target = &CliOptions::historyOnly,
     .group = G::Output,
     .excludes = "--restore-file",
     .help = "apply, redo: keep the undo record only in the history, no restore.dat",
     .manual = R"~(.Cm apply
and
.Cm redo :
keep the undo record of this batch only in the history, with no
.Pa restore.dat ,
whatever
.Pa morerules.ini
says.)~"},
    flag("--yes", &CliOptions::yes, G::Output,
         "apply: replace an existing restore.dat; save-settings: replace renset.ini; "
         "save-preset: replace the preset of that name",
         R"~(.Cm apply :
replace an existing
.Pa restore.dat ;
.Cm save-settings :
replace
.Pa renset.ini ;
.Cm save-preset :
replace the preset of that name.
Without it the tool refuses where the window program would ask.)~"),
    flag("-v,--verbose", setVerbose, G::Output,
         "Also print each rename as OLD -> NEW, the directory worked in, and the messages "
         "that only report, such as a missing settings file",
         R"~(Also print each rename as
.Dq Ar old No -> Ar new ,
the directory worked in, and the messages that only report, such as a missing
settings file.)~"),
    {.names = "-q,--quiet",
     .target = setQuiet,
     .group = G::Output,
     .excludes = "--verbose",
     .help = "Print nothing but failures and refusals",
     .manual = "Print nothing but failures and refusals."},
    {.names = "--dry-run",
     .target = &CliOptions::dryRun,
     .group = G::Command,
     .command = "apply",
     .help = "Rename nothing; print what preview prints and exit as apply would"},
    {.names = "FILE",
     .kind = K::RestoreFile,
     .valueName = "TEXT",
     .target = &CliOptions::restoreFilePath,
     .group = G::Command,
     .command = "restore",
     .required = true,
     .help = "The restore file, such as restore.dat"},
    {.names = "--undo",
     .target = &CliOptions::recoverUndo,
     .group = G::Command,
     .command = "recover",
     .help = "Give every file its old name back"},
    {.names = "--finish",
     .target = &CliOptions::recoverFinish,
     .group = G::Command,
     .command = "recover",
     .excludes = "--undo",
     .help = "Finish the batch and write its record"},
    {.names = "--remove",
     .target = &CliOptions::removeIntegration,
     .group = G::Command,
     .command = "integrate",
     .help = "Take exactly the program's own actions away again"},
    {.names = "NAME",
     .kind = K::Preset,
     .valueName = "TEXT",
     .target = &CliOptions::presetName,
     .group = G::Command,
     .command = "save-preset",
     .required = true,
     .help = "The preset's name"},
    {.names = "NAME",
     .kind = K::Preset,
     .valueName = "TEXT",
     .target = &CliOptions::presetName,
     .group = G::Command,
     .command = "delete-preset",
     .required = true,
     .help = "The preset's name"},
    {.names = "ID",
     .kind = K::Text,
     .valueName = "UINT",
     .check = checkBatchNumber,
     .target = setBatchId,
     .group = G::Command,
     .command = "undo",
     .help = "The batch's number, as history prints it"},
    {.names = "COMMAND",
     .kind = K::Command,
     .valueName = "TEXT",
     .group = G::Command,
     .command = "help",
     .help = "The command to describe"},
    // Options of the program are taken after the command as well, but a short option that is a
    // digit would there be taken for a stray argument unless the command knows it too.
    {.names = "-0", .target = &CliOptions::nullSeparated, .group = G::Command, .command = "*"},
});

constexpr std::array kCommandRows = std::to_array<CliCommandRow>({
    {"list", CliCommand::List, "Print the listed file names, one a line"},
    {"preview", CliCommand::Preview,
     "Print each selected file's old name, a tab and its new name, one a line"},
    {"apply", CliCommand::Apply, "Rename the selected files"},
    {"restore", CliCommand::Restore, "Rename the files of a restore file back and delete the file"},
    {"save-settings", CliCommand::SaveSettings,
     "Write renset.ini from the rule options given (with --saved-rules, over its saved rules), as "
     "the program's Save settings does"},
    {"init-settings", CliCommand::InitSettings,
     "Write each of renset.ini, opt.ini and ID3Opts.ini that is missing with the defaults the "
     "program saves; files that are there stay as they are"},
    {"recover", CliCommand::Recover,
     "List the batches that were interrupted (a crash, a power cut) before their end; with --undo "
     "or --finish, give their files their old names back or finish them"},
    {"presets", CliCommand::ListPresets, "Print the names of the saved presets, one a line"},
    {"save-preset", CliCommand::SavePreset,
     "Save the rules the options give (over the saved rules and --preset, as preview would use "
     "them) as a preset; --yes replaces one of that name"},
    {"delete-preset", CliCommand::DeletePreset, "Delete a saved preset"},
    {"history", CliCommand::History,
     "Print the batches the history keeps, oldest first, one a line: number, time, folder, count "
     "of files and state"},
    {"undo", CliCommand::Undo,
     "Give the files of the last batch not undone yet, or of batch ID, their old names"},
    {"redo", CliCommand::Redo,
     "Rename again the files of the batch undone last, until a batch runs in its folder"},
    {"edit", CliCommand::Edit,
     "Open the listed names in $VISUAL or $EDITOR (else vi), one a line, and rename each file "
     "to its line as it comes back"},
    {"integrate", CliCommand::Integrate,
     "Add \"Rename with Nameshift Pro…\" to the user's Nautilus scripts and Thunar custom "
     "actions, whether or not they are installed yet"},
    {"help", std::nullopt, "Print this help, or with COMMAND what COMMAND --help prints, and exit"},
});

}  // namespace

std::span<const CliOptionRow> cliOptionRows() {
    return kOptionRows;
}

std::span<const CliCommandRow> cliCommandRows() {
    return kCommandRows;
}

std::vector<std::string> namesOf(const CliOptionRow& row) {
    std::vector<std::string> names;
    std::string_view rest = row.names;
    while (!rest.empty()) {
        const std::size_t comma = std::min(rest.find(','), rest.size());
        names.emplace_back(rest.substr(0, comma));
        rest.remove_prefix(std::min(comma + 1, rest.size()));
    }
    return names;
}

std::vector<std::string> valuesOf(const CliOptionRow& row) {
    // A count of up to ten numbers is offered whole; a longer one is typed.
    constexpr int kOfferedCounts = 10;
    std::vector<std::string> values;
    if (row.kind == ValueKind::Choice) {
        std::string_view rest = row.choices;
        while (!rest.empty()) {
            const std::size_t bar = std::min(rest.find('|'), rest.size());
            values.emplace_back(rest.substr(0, bar));
            rest.remove_prefix(std::min(bar + 1, rest.size()));
        }
    } else if (row.kind == ValueKind::Count && row.most - row.least < kOfferedCounts) {
        for (int count = row.least; count <= row.most; ++count) {
            values.push_back(std::to_string(count));
        }
    }
    return values;
}

std::string briefOf(const char* help) {
    std::string_view brief = help;
    brief = brief.substr(0, brief.find("; "));
    return std::string(brief.substr(0, brief.find(" (default")));
}

std::string joined(const std::vector<std::string>& words, const std::string& separator) {
    std::string line;
    for (const std::string& word : words) {
        line += (line.empty() ? "" : separator) + word;
    }
    return line;
}

}  // namespace nameshift::cli
