#include "engine/naming/TextCase.h"

#include <gtest/gtest.h>

namespace nameshift::engine::text {
namespace {

TEST(TextCaseTest, MapsAsciiAndUnicodeLetters) {
    EXPECT_EQ(toLower("Hello WORLD.TXT"), "hello world.txt");
    EXPECT_EQ(toUpper("hello world.txt"), "HELLO WORLD.TXT");
    EXPECT_EQ(toUpper("\xc3\xa9t\xc3\xa9 \xd0\xbc\xd0\xb8\xd1\x80"),  // été мир
              "\xc3\x89T\xc3\x89 \xd0\x9c\xd0\x98\xd0\xa0");
    EXPECT_EQ(toLower("\xc3\x89T\xc3\x89"), "\xc3\xa9t\xc3\xa9");
    // Simple mappings only: the German sharp s has no one-letter upper case and stays.
    EXPECT_EQ(toUpper("stra\xc3\x9f!"), "STRA\xc3\x9f!");
}

TEST(TextCaseTest, LeavesInvalidUtf8BytesUntouched) {
    const std::string name = "ab\xff\xc3(cd\xe2\x82";
    EXPECT_EQ(toUpper(name), "AB\xff\xc3(CD\xe2\x82");
    EXPECT_EQ(toLower("AB\xff!CD"), "ab\xff!cd");
    EXPECT_EQ(foldCase("X\x80Y"), "x\x80y");
}

TEST(TextCaseTest, FoldCaseMakesCaseVariantsEqual) {
    EXPECT_EQ(foldCase("\xc3\x84pfel"), foldCase("\xc3\xa4PFEL"));
    EXPECT_EQ(foldCase("ABC"), "abc");
}

TEST(TextCaseTest, CapitalizeWordsOnlyAfterSpaces) {
    EXPECT_EQ(capitalizeWords("hello world.txt"), "Hello World.txt");
    EXPECT_EQ(capitalizeWords("my_file-name.txt"), "My_file-name.txt");
    EXPECT_EQ(capitalizeWords("a b"), "A B");
    EXPECT_EQ(capitalizeWords("1"), "1");
    EXPECT_EQ(capitalizeWords("\xc3\xa9t\xc3\xa9 \xd0\xbc\xd0\xb8\xd1\x80"),
              "\xc3\x89t\xc3\xa9 \xd0\x9c\xd0\xb8\xd1\x80");
    // An invalid byte is no word boundary.
    EXPECT_EQ(capitalizeWords("\xffxyz"), "\xffxyz");
    EXPECT_EQ(capitalizeWords(""), "");
}

}  // namespace
}  // namespace nameshift::engine::text
