#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/CliParser.h"
#include "cli/CliRunner.h"
#include "engine/contents/TagLibTagReader.h"
#include "platform/PosixFileSystem.h"
#include "platform/StartupDirectory.h"
#include "settings/UserSettingsDirectory.h"

int main(int argc, char** argv) {
    using namespace nameshift;
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const cli::ParseOutcome parsed = cli::CliParser::parse(arguments);
    if (!parsed.options) {
        std::fputs(parsed.standardOutput.c_str(), stdout);
        std::fputs(parsed.standardError.c_str(), stderr);
        return parsed.exitStatus;
    }
    platform::PosixFileSystem fileSystem;
    engine::TagLibTagReader tags;
    cli::CliRunner runner(
        fileSystem, tags, stdout, stderr, platform::startupDirectory(),
        settings::userSettingsDirectory(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")));
    return runner.run(*parsed.options);
}
