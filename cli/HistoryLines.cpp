#include "cli/HistoryLines.h"

#include <ctime>

#include "cli/JsonText.h"

namespace nameshift::cli {
namespace {

std::string localTime(std::uint64_t seconds) {
    const auto time = static_cast<std::time_t>(seconds);
    std::tm parts{};
    char text[32] = "-";
    if (::localtime_r(&time, &parts) != nullptr) {
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &parts);
    }
    return text;
}

}  // namespace

std::string historyLine(const engine::HistoryEntry& entry) {
    const std::string id = std::to_string(entry.id);
    if (!entry.record) {
        return id + "\t-\t-\t-\tunreadable";
    }
    const engine::HistoryRecord& record = *entry.record;
    const char* state = record.state == engine::HistoryRecord::State::Done ? "done" : "undone";
    return id + "\t" + localTime(record.time) + "\t" + record.journal.directory + "\t" +
           std::to_string(record.done.size()) + "\t" + state;
}

std::string historyJson(const engine::HistoryEntry& entry) {
    const std::string id = "{\"id\": " + std::to_string(entry.id);
    if (!entry.record) {
        return id + R"(, "state": "unreadable"})";
    }
    const engine::HistoryRecord& record = *entry.record;
    const char* state = record.state == engine::HistoryRecord::State::Done ? "done" : "undone";
    return id + ", \"time\": " + std::to_string(record.time) +
           ", \"folder\": " + jsonString(record.journal.directory) +
           ", \"renamed\": " + std::to_string(record.done.size()) + R"(, "state": ")" + state +
           "\"}";
}

}  // namespace nameshift::cli
