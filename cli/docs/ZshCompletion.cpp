#include "cli/docs/ZshCompletion.h"

#include <cctype>
#include <string_view>
#include <vector>

#include "cli/CliOptionTable.h"
#include "cli/docs/TemplateText.h"

namespace nameshift::cli {
namespace {

// A text inside single quotes, and inside the brackets of a description.
std::string quoted(std::string_view text) {
    std::string quoted;
    for (const char c : text) {
        quoted += c == '\''  ? std::string("'\\''")
                  : c == ']' ? std::string("\\]")
                             : std::string(1, c);
    }
    return quoted;
}

bool sameName(const char* name, const CliOptionRow& row) {
    for (const std::string& own : namesOf(row)) {
        if (own == name) {
            return true;
        }
    }
    return false;
}

// The options that may not stand with the row's: its own names, and those it excludes or that
// exclude it.
std::string exclusions(const CliOptionRow& row) {
    if (row.kind == ValueKind::Help || row.kind == ValueKind::Version) {
        return "(- *)";
    }
    std::vector<std::string> names = namesOf(row);
    if (names.size() == 1) {
        names.clear();
    }
    for (const CliOptionRow& other : cliOptionRows()) {
        if (other.command != row.command) {
            continue;
        }
        if ((other.excludes != nullptr && sameName(other.excludes, row)) ||
            (row.excludes != nullptr && sameName(row.excludes, other))) {
            const std::vector<std::string> excluded = namesOf(other);
            names.insert(names.end(), excluded.begin(), excluded.end());
        }
    }
    return names.empty() ? std::string() : "(" + joined(names, " ") + ")";
}

std::string action(const CliOptionRow& row) {
    std::string message = row.valueName != nullptr ? row.valueName : "value";
    for (char& c : message) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    if (row.kind == ValueKind::Count) {
        message = "count (" + std::to_string(row.least) + "-" + std::to_string(row.most) + ")";
    }
    const std::vector<std::string> values = valuesOf(row);
    switch (row.kind) {
        case ValueKind::Directory:
            return ":directory:_directories";
        case ValueKind::Preset:
            return ":preset:_nameshift_cli_presets";
        default:
            return ":" + message + ":" + (values.empty() ? "" : "(" + joined(values, " ") + ")");
    }
}

// The row as one argument of _arguments.
std::string argumentOf(const CliOptionRow& row) {
    const std::vector<std::string> names = namesOf(row);
    const bool takesValue = row.kind != ValueKind::Flag && row.kind != ValueKind::Help &&
                            row.kind != ValueKind::Version;
    const std::string description = "[" + quoted(briefOf(row.help)) + "]";
    const std::string repeated = row.kind == ValueKind::Repeated ? "*" : "";
    if (names.size() > 1) {
        return "'" + exclusions(row) + repeated + "'{" + joined(names, ",") + "}'" + description +
               "'";
    }
    return "'" + exclusions(row) + repeated + names.front() + (takesValue ? "=" : "") +
           description + (takesValue ? quoted(action(row)) : "") + "'";
}

// The arguments of each command after the tool's options.
std::string commandArms() {
    std::vector<std::string> runnable;
    for (const CliCommandRow& command : cliCommandRows()) {
        if (command.command) {
            runnable.emplace_back(command.name);
        }
    }
    std::string arms;
    for (const CliCommandRow& command : cliCommandRows()) {
        // The command's own options and arguments go after the tool's; help's names a command.
        std::string arguments = " -s $common";
        for (const CliOptionRow& row : cliOptionRows()) {
            if (row.command == nullptr || std::string_view(row.command) != command.name) {
                continue;
            }
            if (row.names[0] == '-') {
                arguments += " " + argumentOf(row);
            } else if (row.kind == ValueKind::RestoreFile) {
                arguments += " '1:restore file:_files -g \"*.dat\"'";
            } else if (row.kind == ValueKind::Preset) {
                arguments += " '1:preset:_nameshift_cli_presets'";
            } else if (row.kind == ValueKind::Command) {
                arguments = " '1:command:(" + joined(runnable, " ") + ")'";
            } else {
                arguments += " '1:" + quoted(briefOf(row.help)) + ": '";
            }
        }
        if (arguments != " -s $common") {
            arms +=
                std::string("            ") + command.name + ") _arguments" + arguments + " ;;\n";
        }
    }
    return arms;
}

}  // namespace

std::string zshCompletion(const std::string& templateText) {
    std::string options;
    std::string version;
    for (const CliOptionRow& row : cliOptionRows()) {
        if (row.command == nullptr) {
            (row.kind == ValueKind::Version ? version : options) += "    " + argumentOf(row) + "\n";
        }
    }
    std::string commands;
    for (const CliCommandRow& command : cliCommandRows()) {
        commands +=
            std::string("    '") + command.name + ":" + quoted(briefOf(command.help)) + "'\n";
    }
    version.pop_back();
    return filledTemplate(templateText, {{"OPTIONS", options},
                                         {"COMMANDS", commands},
                                         {"VERSION", version},
                                         {"COMMAND_ARMS", commandArms()}});
}

}  // namespace nameshift::cli
