#include "cli/docs/BashCompletion.h"

#include <vector>

#include "cli/CliOptionTable.h"
#include "cli/docs/TemplateText.h"

namespace nameshift::cli {
namespace {

// The arms of `case $previous`: what each option of the tool takes as its value.
std::string valueArms() {
    std::vector<std::string> directories;
    std::vector<std::string> anyText;
    std::string arms;
    for (const CliOptionRow& row : cliOptionRows()) {
        if (row.command != nullptr || row.kind == ValueKind::Flag || row.kind == ValueKind::Help) {
            continue;
        }
        const std::string name = namesOf(row).back();
        const std::vector<std::string> values = valuesOf(row);
        if (row.kind == ValueKind::Directory) {
            directories.push_back(name);
        } else if (row.kind == ValueKind::Preset) {
            arms += "        " + name + ") _nameshift_cli_presets \"$current\" ;;\n";
        } else if (!values.empty()) {
            arms += "        " + name + ") mapfile -t COMPREPLY < <(compgen -W '" +
                    joined(values, " ") + "' -- \"$current\") ;;\n";
        } else if (row.kind != ValueKind::Version) {
            anyText.push_back(name);
        }
    }
    return "        " + joined(directories, " | ") +
           ")\n            mapfile -t COMPREPLY < <(compgen -d -- \"$current\")\n"
           "            return\n            ;;\n" +
           arms + "        " + joined(anyText, " | ") +
           ")\n            COMPREPLY=()\n            ;;\n";
}

// The own options of each command, and what its arguments are.
std::string commandArms(bool options) {
    std::string arms;
    std::vector<std::string> presets;
    for (const CliCommandRow& command : cliCommandRows()) {
        std::vector<std::string> own;
        for (const CliOptionRow& row : cliOptionRows()) {
            if (row.command == nullptr || std::string(row.command) != command.name) {
                continue;
            }
            if (row.names[0] == '-') {
                own.push_back(namesOf(row).back());
            } else if (row.kind == ValueKind::Command && !options) {
                arms +=
                    "        help) mapfile -t COMPREPLY < <(compgen -W \"${commands% help}\" "
                    "-- \"$current\") ;;\n";
            } else if (row.kind == ValueKind::RestoreFile && !options) {
                arms += std::string("        ") + command.name +
                        ") mapfile -t COMPREPLY < <(compgen -f -X '!*.dat' -- \"$current\") ;;\n";
            } else if (row.kind == ValueKind::Preset) {
                presets.emplace_back(command.name);
            }
        }
        if (options && !own.empty()) {
            arms += std::string("            ") + command.name + ") own='" + joined(own, " ") +
                    "' ;;\n";
        }
    }
    if (!options && !presets.empty()) {
        arms += "        " + joined(presets, " | ") + ") _nameshift_cli_presets \"$current\" ;;\n";
    }
    return arms;
}

}  // namespace

std::string bashCompletion(const std::string& templateText) {
    std::vector<std::string> commands;
    for (const CliCommandRow& command : cliCommandRows()) {
        commands.emplace_back(command.name);
    }
    std::vector<std::string> options;
    for (const CliOptionRow& row : cliOptionRows()) {
        if (row.command == nullptr) {
            for (const std::string& name : namesOf(row)) {
                options.push_back(name);
            }
        }
    }
    return filledTemplate(templateText, {{"COMMANDS", joined(commands, " ")},
                                         {"OPTIONS", joined(options, " ")},
                                         {"VALUE_ARMS", valueArms()},
                                         {"COMMAND_CASE", joined(commands, " | ")},
                                         {"OWN_OPTIONS", commandArms(true)},
                                         {"ARGUMENT_ARMS", commandArms(false)}});
}

}  // namespace nameshift::cli
