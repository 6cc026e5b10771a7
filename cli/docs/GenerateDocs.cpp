// Writes a shell completion or the manual page of nameshift-cli from its table of options and a
// template, at build time: nameshift-cli-docs bash|zsh|fish|man TEMPLATE OUTPUT.
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
std::string textFor(std::string_view kind, const std::string& templateText) {
    using namespace nameshift::cli;
    return kind == "bash"   ? bashCompletion(templateText)
           : kind == "zsh"  ? zshCompletion(templateText)
           : kind == "fish" ? fishCompletion(templateText)
           : kind == "man"  ? manualPage(templateText)
                            : std::string();
}

}  // namespace

int main(int argc, char** argv) {
    constexpr int kArguments = 4;
    const std::string text =
        argc == kArguments ? textFor(argv[1], readFile(argv[2])) : std::string();
    if (text.empty()) {
        std::cerr << "usage: nameshift-cli-docs bash|zsh|fish|man TEMPLATE OUTPUT\n";
        return 2;
    }
    std::ofstream out(argv[3], std::ios::binary);
    out << text;
    return out ? 0 : 1;
}
