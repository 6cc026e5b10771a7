#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/CliOptions.h"

namespace nameshift::cli {

// What the arguments asked for: a run with its options, or an answer that ends the program at
// once (help, version, a usage error) with the text to print and the exit status.
struct ParseOutcome {
    std::optional<CliOptions> options;
    int exitStatus = 0;
    std::string standardOutput;
    std::string standardError;
};

// Turns the command line into CliOptions. Every option is checked for its form here (a known
// word, a number in range, an existing directory); whether a value makes sense as a rule is
// checked later, as the dialog's edits would check it.
class CliParser {
public:
    // `arguments` leaves out the program's own name.
    static ParseOutcome parse(const std::vector<std::string>& arguments);
};

}  // namespace nameshift::cli
