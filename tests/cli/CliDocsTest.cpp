#include <gtest/gtest.h>

#include <cstddef>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "cli/CliOptionTable.h"
#include "cli/docs/BashCompletion.h"
#include "cli/docs/FishCompletion.h"
#include "cli/docs/ManualOptions.h"
#include "cli/docs/ZshCompletion.h"

namespace nameshift::cli {
namespace {

// `name` as a word of `text`, as a shell's list of words holds it.
bool holdsWord(const std::string& text, const std::string& name) {
    return std::regex_search(text, std::regex("(^|[ '])" + name + "([ '|)]|$)"));
}

std::string built(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The rows of the options the help shows, by their place in the table.
std::vector<std::size_t> shownOptionRows() {
    std::vector<std::size_t> rows;
    for (std::size_t row = 0; row < cliOptionRows().size(); ++row) {
        if (cliOptionRows()[row].help != nullptr && cliOptionRows()[row].names[0] == '-') {
            rows.push_back(row);
        }
    }
    return rows;
}

const std::string kTemplates = NAMESHIFT_COMPLETION_TEMPLATES_DIR;

// Every option the help shows is offered by each shell and told by the manual.
class GeneratedDocsTest : public ::testing::TestWithParam<std::size_t> {
protected:
    const CliOptionRow& row = cliOptionRows()[GetParam()];
    const std::string bash = bashCompletion(built(kTemplates + "/nameshift-cli.bash.in"));
    const std::string zsh = zshCompletion(built(kTemplates + "/_nameshift-cli.in"));
    const std::string fish = fishCompletion(built(kTemplates + "/nameshift-cli.fish.in"));
};

TEST_P(GeneratedDocsTest, NameEveryOptionOfTheRow) {
    for (const std::string& name : namesOf(row)) {
        EXPECT_TRUE(holdsWord(bash, name)) << name;
        EXPECT_NE(zsh.find(name), std::string::npos) << name;
        const std::string fishName =
            name.starts_with("--") ? " -l " + name.substr(2) : " -s " + name.substr(1);
        EXPECT_NE(fish.find(fishName), std::string::npos) << name;
    }
    if (row.manual != nullptr) {
        EXPECT_NE(manualOptions().find(std::string(row.manual) + "\n"), std::string::npos);
    }
    for (const std::string& value : valuesOf(row)) {
        EXPECT_NE(fish.find(value), std::string::npos) << value;
    }
}

INSTANTIATE_TEST_SUITE_P(Cli, GeneratedDocsTest, ::testing::ValuesIn(shownOptionRows()));

TEST(GeneratedDocsFilesTest, AreWhatTheTableGives) {
    EXPECT_EQ(built(NAMESHIFT_COMPLETIONS_DIR "/nameshift-cli.bash"),
              bashCompletion(built(kTemplates + "/nameshift-cli.bash.in")));
    EXPECT_EQ(built(NAMESHIFT_COMPLETIONS_DIR "/_nameshift-cli"),
              zshCompletion(built(kTemplates + "/_nameshift-cli.in")));
    EXPECT_EQ(built(NAMESHIFT_COMPLETIONS_DIR "/nameshift-cli.fish"),
              fishCompletion(built(kTemplates + "/nameshift-cli.fish.in")));
    const std::string page = built(NAMESHIFT_CLI_MANUAL);
    EXPECT_EQ(page, manualPage(built(NAMESHIFT_CLI_MANUAL_TEMPLATE)));
    for (const std::string& generated :
         {page, built(NAMESHIFT_COMPLETIONS_DIR "/nameshift-cli.bash"),
          built(NAMESHIFT_COMPLETIONS_DIR "/_nameshift-cli"),
          built(NAMESHIFT_COMPLETIONS_DIR "/nameshift-cli.fish")}) {
        EXPECT_FALSE(std::regex_search(generated, std::regex("@[A-Z_]+@"))) << "a place unfilled";
    }
}

}  // namespace
}  // namespace nameshift::cli
