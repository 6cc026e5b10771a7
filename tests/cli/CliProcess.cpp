#include "CliProcess.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cstdio>
#include <string_view>

extern char** environ;

namespace nameshift::testing {
namespace {

std::string readAndClose(std::FILE* file) {
    std::string text;
    std::rewind(file);
    char buffer[65536];
    while (const std::size_t got = std::fread(buffer, 1, sizeof buffer, file)) {
        text.append(buffer, got);
    }
    std::fclose(file);
    return text;
}

}  // namespace

CliRun runCli(const std::vector<std::string>& arguments, const std::string& workingDirectory) {
    std::vector<std::string> argv{NAMESHIFT_CLI_PATH};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char*> pointers;
    for (std::string& argument : argv) {
        pointers.push_back(argument.data());
    }
    pointers.push_back(nullptr);

    // Files rather than pipes, so that a child writing much to both never waits for the test.
    std::FILE* output = std::tmpfile();
    std::FILE* errors = std::tmpfile();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, workingDirectory.c_str());
    posix_spawn_file_actions_adddup2(&actions, fileno(output), 1);
    posix_spawn_file_actions_adddup2(&actions, fileno(errors), 2);
    // The user's settings folder of the run lies in the test's own directory, never in the
    // machine's home.
    std::vector<std::string> environment{"XDG_CONFIG_HOME=" + workingDirectory + "/.config",
                                         "HOME=" + workingDirectory};
    for (char** variable = environ; *variable != nullptr; ++variable) {
        const std::string_view entry(*variable);
        if (!entry.starts_with("XDG_CONFIG_HOME=") && !entry.starts_with("HOME=")) {
            environment.emplace_back(entry);
        }
    }
    std::vector<char*> environmentPointers;
    for (std::string& entry : environment) {
        environmentPointers.push_back(entry.data());
    }
    environmentPointers.push_back(nullptr);
    pid_t child = 0;
    CliRun run;
    if (posix_spawn(&child, pointers[0], &actions, nullptr, pointers.data(),
                    environmentPointers.data()) == 0) {
        int status = 0;
        ::waitpid(child, &status, 0);
        run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    run.output = readAndClose(output);
    run.errors = readAndClose(errors);
    return run;
}

}  // namespace nameshift::testing
