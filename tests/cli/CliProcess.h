#pragma once

#include <string>
#include <vector>

namespace nameshift::testing {

// What one run of the built nameshift-cli left behind.
struct CliRun {
    int exitStatus = -1;
    std::string output;  // standard output, exact bytes
    std::string errors;  // standard error
};

// Runs the built executable with `arguments` in `workingDirectory` and waits for it to end. Its
// per-user settings folder is `workingDirectory`/.config/nameshift.
CliRun runCli(const std::vector<std::string>& arguments, const std::string& workingDirectory);

}  // namespace nameshift::testing
