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

// Every option the help shows is offered by each shell and told by the manual.
class GeneratedDocsTest : public ::testing::TestWithParam<std::size_t> {
protected:
    const CliOptionRow& row = cliOptionRows()[GetParam()];
};

TEST_P(GeneratedDocsTest, NameEveryOptionOfTheRow) {
    for (const std::string& name : namesOf(row)) {
        EXPECT_TRUE(holdsWord(bashCompletion(), name)) << name;
        EXPECT_NE(zshCompletion().find(name), std::string::npos) << name;
        const std::string fish =
            name.starts_with("--") ? " -l " + name.substr(2) : " -s " + name.substr(1);
        EXPECT_NE(fishCompletion().find(fish), std::string::npos) << name;
    }
    if (row.manual != nullptr) {
        EXPECT_NE(manualOptions().find(std::string(row.manual) + "\n"), std::string::npos);
    }
    for (const std::string& value : valuesOf(row)) {
        EXPECT_NE(fishCompletion().find(value), std::string::npos) << value;
    }
}

INSTANTIATE_TEST_SUITE_P(Cli, GeneratedDocsTest, ::testing::ValuesIn(shownOptionRows()));

TEST(GeneratedDocsFilesTest, AreWhatTheTableGives) {
    EXPECT_EQ(built(NAMESHIFT_COMPLETIONS_DIR "/nameshift-cli.bash"), bashCompletion());
    EXPECT_EQ(built(NAMESHIFT_COMPLETIONS_DIR "/_nameshift-cli"), zshCompletion());
    EXPECT_EQ(built(NAMESHIFT_COMPLETIONS_DIR "/nameshift-cli.fish"), fishCompletion());
    const std::string page = built(NAMESHIFT_CLI_MANUAL);
    EXPECT_EQ(page, manualPage(built(NAMESHIFT_CLI_MANUAL_TEMPLATE)));
    EXPECT_EQ(page.find("@OPTIONS@"), std::string::npos);
}

}  // namespace
}  // namespace nameshift::cli
