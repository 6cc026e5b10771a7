#include "cli/docs/BashCompletion.h"

#include <vector>

#include "cli/CliOptionTable.h"

namespace nameshift::cli {
namespace {

constexpr const char* kHead =
    R"~(# bash completion for nameshift-cli, made from the tool's table of options

_nameshift_cli() {
    local current=${COMP_WORDS[COMP_CWORD]}
    local previous=${COMP_WORDS[COMP_CWORD - 1]}
)~";

constexpr const char* kSplitValue = R"~(
    # "--option=value" comes in as three words, "--option", "=" and the value.
    if [[ $current == = ]]; then
        current=''
    elif [[ $previous == = ]]; then
        previous=${COMP_WORDS[COMP_CWORD - 2]}
    elif [[ $current == --*=* ]]; then
        previous=${current%%=*}
        current=${current#*=}
    fi

    case $previous in
)~";

constexpr const char* kWordHead = R"~(        *) _nameshift_cli_word "$current" ;;
    esac
}

# A command, an option, or what the command before takes. A command's own options come first:
# "recover --u" means --undo, not --upper.
_nameshift_cli_word() {
    local current=$1 command='' word
    for word in "${COMP_WORDS[@]:1:COMP_CWORD-1}"; do
        case $word in
)~";

constexpr const char* kOwnOptions = R"~(                command=$word
                break
                ;;
        esac
    done
    if [[ $current == -* ]]; then
        local own=''
        case $command in
)~";

constexpr const char* kArguments = R"~(        esac
        mapfile -t COMPREPLY < <(compgen -W "$own" -- "$current")
        if ((${#COMPREPLY[@]} == 0)); then
            mapfile -t COMPREPLY < <(compgen -W "$options" -- "$current")
        fi
        return
    fi
    case $command in
        '') mapfile -t COMPREPLY < <(compgen -W "$commands" -- "$current") ;;
)~";

constexpr const char* kTail = R"~(    esac
}

# The names of the saved presets, the files of the presets folder.
_nameshift_cli_presets() {
    local folder=${XDG_CONFIG_HOME:-}
    [[ $folder == /* ]] || folder=$HOME/.config
    folder=$folder/nameshift/presets
    COMPREPLY=()
    [[ -d $folder ]] || return
    local name
    while IFS= read -r -d '' name; do
        name=${name##*/}
        [[ $name == "$1"* ]] && COMPREPLY+=("$name")
    done < <(find "$folder" -mindepth 1 -maxdepth 1 -type f ! -name '.*~' -print0)
}
complete -F _nameshift_cli nameshift-cli
)~";

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

std::string bashCompletion() {
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
    return kHead + ("    local commands='" + joined(commands, " ") + "'\n") +
           ("    local options='" + joined(options, " ") + "'\n") + kSplitValue + valueArms() +
           kWordHead + "            " + joined(commands, " | ") + ")\n" + kOwnOptions +
           commandArms(true) + kArguments + commandArms(false) + kTail;
}

}  // namespace nameshift::cli
