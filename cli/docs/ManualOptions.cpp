#include "cli/docs/ManualOptions.h"

#include <array>
#include <cctype>
#include <vector>

#include "cli/CliOptionTable.h"

namespace nameshift::cli {
namespace {

// The line of the page that the options go in place of.
constexpr const char* kPlaceholder = ".\\\" @OPTIONS@\n";

struct ManualGroup {
    OptionGroup group;
    const char* heading;  // the line after .Ss and the paragraph under it, if any
};

constexpr std::array<ManualGroup, 5> kGroups = {{
    {OptionGroup::Settings, "Settings\n"},
    {OptionGroup::Listing, "Files to rename\nThese match the file list of the main window.\n"},
    {OptionGroup::Rules,
     "Rules\n"
     "Each option switches on the rule of the main window named after it.\n"
     "The rules change a name in this order: prefix, counter, extension, the removals\n"
     "of spaces, brackets, tildes and hyphens, remove string, replace string, insert,\n"
     "remove characters, trim, accents and ASCII, letter case (in its scope),\n"
     "lower-case extension.\n"},
    {OptionGroup::Id3, "ID3 tags\n"},
    {OptionGroup::Output, "Output and questions\n"},
}};

// "Fl 0 , Fl \-null Ar value": the names, then the value.
std::string headOf(const CliOptionRow& row) {
    if (row.manualHead != nullptr) {
        return row.manualHead;
    }
    std::vector<std::string> names;
    for (const std::string& name : namesOf(row)) {
        names.push_back(name.starts_with("--") ? "Fl \\" + name.substr(1) : "Fl " + name.substr(1));
    }
    std::string head = joined(names, " , ");
    if (row.kind == ValueKind::Choice) {
        head += " Cm " + joined(valuesOf(row), " | ");
    } else if (row.valueName != nullptr) {
        std::string value = row.valueName;
        for (char& c : value) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        head += " Ar " + value;
    }
    return head;
}

}  // namespace

std::string manualOptions() {
    std::string text;
    for (const ManualGroup& group : kGroups) {
        text += std::string(".Ss ") + group.heading + ".Bl -tag -width Ds\n";
        // The help and the version come first in the help, but last in their group here.
        std::string last;
        for (const CliOptionRow& row : cliOptionRows()) {
            if (row.group == group.group && row.manual != nullptr) {
                const bool ofTheTool =
                    row.kind == ValueKind::Help || row.kind == ValueKind::Version;
                (ofTheTool ? last : text) += ".It " + headOf(row) + "\n" + row.manual + "\n";
            }
        }
        text += last + ".El\n";
    }
    return text;
}

std::string manualPage(const std::string& page) {
    const std::size_t at = page.find(kPlaceholder);
    if (at == std::string::npos) {
        return {};
    }
    return page.substr(0, at) + manualOptions() +
           page.substr(at + std::string_view(kPlaceholder).size());
}

}  // namespace nameshift::cli
