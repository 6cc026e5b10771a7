#include "cli/docs/FishCompletion.h"

#include <string_view>
#include <vector>

#include "cli/CliOptionTable.h"
#include "cli/docs/TemplateText.h"

namespace nameshift::cli {
namespace {

constexpr const char* kComplete = "complete -c nameshift-cli";

std::string quoted(std::string_view text) {
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\''   ? std::string("\\'")
                  : c == '\\' ? std::string("\\\\")
                              : std::string(1, c);
    }
    return quoted + "'";
}

// The switches of `complete` that name the row's option and say what its value is.
std::string switches(const CliOptionRow& row) {
    std::string line;
    for (const std::string& name : namesOf(row)) {
        line += name.starts_with("--") ? " -l " + name.substr(2) : " -s " + name.substr(1);
    }
    const std::vector<std::string> values = valuesOf(row);
    if (row.kind == ValueKind::Directory) {
        line += " -x -a '(__fish_complete_directories)'";
    } else if (row.kind == ValueKind::Preset) {
        line += " -x -a '(__nameshift_cli_presets)'";
    } else if (!values.empty()) {
        line += " -x -a " + quoted(joined(values, " "));
    } else if (row.kind != ValueKind::Flag && row.kind != ValueKind::Help &&
               row.kind != ValueKind::Version) {
        line += " -x";
    }
    return line + " -d " + quoted(briefOf(row.help));
}

// The own options and the arguments of each command.
std::string commandLines() {
    std::string lines;
    for (const CliOptionRow& row : cliOptionRows()) {
        if (row.command == nullptr || row.help == nullptr) {
            continue;
        }
        const std::string seen =
            std::string(kComplete) + " -n \"__fish_seen_subcommand_from " + row.command + "\"";
        if (row.names[0] == '-') {
            lines += seen + switches(row) + "\n";
        } else if (row.kind == ValueKind::Command) {
            lines += seen + " -a \"$commands\"\n";
        } else if (row.kind == ValueKind::RestoreFile) {
            lines += seen + " -F\n";
        } else if (row.kind == ValueKind::Preset) {
            lines += seen + " -x -a '(__nameshift_cli_presets)'\n";
        }
    }
    return lines;
}

}  // namespace

std::string fishCompletion(const std::string& templateText) {
    std::vector<std::string> names;
    std::string commands;
    for (const CliCommandRow& command : cliCommandRows()) {
        names.emplace_back(command.name);
        commands += std::string(kComplete) +
                    " -n \"not __fish_seen_subcommand_from $commands\" -a " + command.name +
                    " -d " + quoted(briefOf(command.help)) + "\n";
    }
    std::string options;
    for (const CliOptionRow& row : cliOptionRows()) {
        if (row.command == nullptr) {
            options += kComplete + switches(row) + "\n";
        }
    }
    return filledTemplate(templateText, {{"COMMAND_NAMES", joined(names, " ")},
                                         {"COMMANDS", commands + commandLines()},
                                         {"OPTIONS", options}});
}

}  // namespace nameshift::cli
