// Writes a shell completion or the manual page of nameshift-cli from its table of options, at
// build time: nameshift-cli-docs bash|zsh|fish OUTPUT, or nameshift-cli-docs man TEMPLATE OUTPUT.
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <string_view>

#include "cli/docs/BashCompletion.h"
#include "cli/docs/FishCompletion.h"
#include "cli/docs/ManualOptions.h"
#include "cli/docs/ZshCompletion.h"

namespace {

std::string readFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The text the arguments ask for; empty when they ask for nothing this program writes.
std::string textFor(std::string_view kind, int argc, char** argv) {
    using namespace nameshift::cli;
    if (argc == 3) {
        return kind == "bash"   ? bashCompletion()
               : kind == "zsh"  ? zshCompletion()
               : kind == "fish" ? fishCompletion()
                                : std::string();
    }
    return argc == 4 && kind == "man" ? manualPage(readFile(argv[2])) : std::string();
}

}  // namespace

int main(int argc, char** argv) {
    const std::string text = argc > 1 ? textFor(argv[1], argc, argv) : std::string();
    if (text.empty()) {
        std::cerr << "usage: nameshift-cli-docs bash|zsh|fish OUTPUT\n"
                     "       nameshift-cli-docs man TEMPLATE OUTPUT (TEMPLATE with a line "
                     "\".\\\" @OPTIONS@\")\n";
        return 2;
    }
    std::ofstream out(argv[argc - 1], std::ios::binary);
    out << text;
    return out ? 0 : 1;
}
