#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "platform/FileSystem.h"
#include "platform/MessageBox.h"
#include "settings/SettingsField.h"
#include "settings/SettingsFileAccess.h"
#include "settings/SettingsReader.h"
#include "settings/SettingsWriter.h"

namespace nameshift::settings {

// A settings file that holds one record: the title its text opens with, its entries in their
// order, how its messages speak of it and the record a file that cannot be read gives. Writing,
// reading, loading and saving all follow from these.
template <typename Record>
struct SettingsFile {
    std::string_view title;
    std::span<const SettingsField<Record>> fields;
    SettingsFileWording wording;
    Record (*whenUnreadable)();

    std::string format(const Record& record) const {
        SettingsWriter writer(title);
        writeFields<Record>(writer, record, fields);
        return writer.text();
    }

    // The fields the text sets, over `current`; every field the text does not set keeps its value.
    Record parse(std::string_view text, Record current) const {
        readFields<Record>(SettingsReader(text), current, fields);
        return current;
    }

    // The file read over `current`, or nothing when it cannot be read. Shows nothing.
    std::optional<Record> read(platform::FileSystem& fileSystem, const std::string& path,
                               const Record& current) const {
        return readSettingsFile(fileSystem, path,
                                [&](std::string_view text) { return parse(text, current); });
    }

    // As read, but a file that cannot be read is reported and gives whenUnreadable(). `loaded`,
    // when given, tells which happened.
    Record load(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                const std::string& path, const Record& current, bool* loaded = nullptr) const {
        return loadedOrReported(read(fileSystem, path, current), messages, wording,
                                whenUnreadable(), loaded);
    }

    // Writes the file, asking before replacing an existing one; every refusal and failure has its
    // message. True when the file was written.
    bool save(platform::FileSystem& fileSystem, platform::MessageBox& messages,
              const std::string& path, const Record& record,
              const ReplaceQuestion& mayReplace = {}) const {
        return saveSettingsFile(fileSystem, messages, path, wording,
                                stringsOf<Record>(record, fields), keysOf<Record>(fields),
                                format(record), SaveMode::AskBeforeReplacing, mayReplace);
    }
};

}  // namespace nameshift::settings
