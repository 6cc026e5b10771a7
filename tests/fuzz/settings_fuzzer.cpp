// Any bytes as renset.ini, opt.ini, ID3Opts.ini and a preset, each read as the program reads it.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "settings/Id3OptionsFile.h"
#include "settings/InvalidCharacters.h"
#include "settings/PresetFile.h"
#include "settings/ProgramOptionsFile.h"
#include "settings/RenameSettingsFile.h"

using namespace nameshift::settings;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    parseRenameSettings(text, RenameSettings{});
    parseRenameSettings(text, RenameSettings::whenFileMissing());
    PresetFile::parse(text, RenameSettings{});
    parseProgramOptions(text, ProgramOptions{});
    parseTagNamingDialogState(text);
    // The format that names files is as short as the dialog allows and holds no character a
    // file name cannot.
    const Id3Naming naming = parseId3Naming(text);
    if (naming.format.size() > kLongestId3Format ||
        replaceInvalidCharacters(naming.format) != naming.format) {
        std::abort();
    }
    return 0;
}
