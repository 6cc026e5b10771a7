#include "engine/naming/NameTemplate.h"

#include <gtest/gtest.h>

namespace nameshift::engine {
namespace {

// One template filled for the third ticked file, "scan 7.pdf", whose tags and dates are below; or
// the refusal it meets, as the user reads it.
struct TemplateCase {
    const char* label;
    const char* text;
    const char* made;  // the base name, the reason the file has none, or the refusal
};

class NameTemplateTest : public ::testing::TestWithParam<TemplateCase> {};

TEST_P(NameTemplateTest, FillsEachCodeOrSaysWhyNot) {
    const TemplateCase& c = GetParam();
    TagTexts tags;
    tags[0] = "Album";
    tags[1] = "Artist";
    tags[3] = "Ti/tle";
    tags[kTrackNumberText] = "1/12";
    tags[kDiscNumberText] = "2";
    std::tm taken{};
    taken.tm_year = 124;
    taken.tm_mon = 4;
    taken.tm_mday = 17;
    taken.tm_hour = 9;
    const TemplateValues values{"scan 7",
                                "pdf",
                                2,
                                &tags,
                                {},
                                taken,
                                "Canon EOS 80D",
                                "4032x3024",
                                std::nullopt,
                                "/home/me/2024/Rome",
                                "2024/Rome",
                                1};

    auto parsed = NameTemplate::parse(c.text);
    if (const auto* refusal = std::get_if<platform::MessageText>(&parsed)) {
        EXPECT_EQ(refusal->filled(), c.made);
        return;
    }
    const auto filled = std::get<NameTemplate>(parsed).fill(values, "%Y%m%d");
    if (const auto* reason = std::get_if<platform::MessageText>(&filled)) {
        EXPECT_EQ(reason->filled(), c.made);
    } else {
        EXPECT_EQ(std::get<std::string>(filled), c.made);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Codes, NameTemplateTest,
    ::testing::Values(
        TemplateCase{"TakenAndCounter", "{taken:%Y-%m-%d} Rome {n:3}", "2024-05-17 Rome 003"},
        TemplateCase{"Tags", "{artist} - {album} - {track:2} - {title}",
                     "Artist - Album - 01 - Ti-tle"},
        TemplateCase{"CounterStartAndStep", "scan-{n:4,start=10,step=5}", "scan-0020"},
        TemplateCase{"UserDateFormat", "{taken}", "20240517"},
        TemplateCase{"TrackAsTagged", "{track}", "1-12"},
        TemplateCase{"Letters", "{name:upper}.{ext:title} {artist:lower}", "SCAN 7.Pdf artist"},
        TemplateCase{"Braces", "{{{disc:2}}}", "{02}"},
        TemplateCase{"Default", "{genre|Unknown Genre}", "Unknown Genre"},
        TemplateCase{"MissingTag", "{composer} {title}", "no composer tag"},
        TemplateCase{"MissingDate", "{born}", "no birth date"},
        TemplateCase{"Folders", "{folder} {folder:2} {folder:upper}", "Rome 2024 ROME"},
        TemplateCase{"FolderAboveTheRoot", "{folder:5}", "no folder"},
        TemplateCase{"PathAndCounterPerFolder", "{path} {n:2,per=folder} {n:2}", "2024-Rome 02 03"},
        TemplateCase{"CameraAndSize", "{camera:lower} {size}", "canon eos 80d 4032x3024"},
        TemplateCase{"MissingDuration", "{duration}", "no duration"},
        TemplateCase{"DurationDefault", "{duration|0.00}", "0.00"},
        TemplateCase{"UnknownCode", "Ä {artst}",
                     "The name template has no code \"{artst}\" (at character 4)."},
        TemplateCase{"NegativeStep", "{n:3,step=-1}",
                     "The code \"{n}\" of the name template does not take the format "
                     "\"3,step=-1\" (at character 4)."},
        TemplateCase{"LettersOfANumber", "{track:upper}",
                     "The code \"{track}\" of the name template does not take the format "
                     "\"upper\" (at character 8)."},
        TemplateCase{"Unclosed", "{n",
                     "The brace at character 1 of the name template is not "
                     "closed or not opened; write \"{{\" or \"}}\" for a "
                     "brace of its own."},
        TemplateCase{"Unopened", "a}b",
                     "The brace at character 2 of the name template is not "
                     "closed or not opened; write \"{{\" or \"}}\" for a "
                     "brace of its own."}),
    [](const auto& test) { return std::string(test.param.label); });

}  // namespace
}  // namespace nameshift::engine
