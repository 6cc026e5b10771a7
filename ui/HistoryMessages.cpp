#include "ui/HistoryMessages.h"

#include <QDate>
#include <QDateTime>

#include <utility>

namespace nameshift::ui {
namespace {

using platform::Icon;
using platform::MessageText;

const char* const kUndoCaption = NS_MESSAGE("Message", "Undo");
const char* const kRedoCaption = NS_MESSAGE("Message", "Redo");

long long countOf(std::size_t files) {
    return static_cast<long long>(files);
}

MessageText doneText(HistoryStep step, const std::string& folder, std::size_t renamed) {
    if (step == HistoryStep::Undo) {
        return renamed == 1
                   ? MessageText{NS_MESSAGE("Message",
                                            "1 file in \"%1\" got its earlier name back."),
                                 {folder}}
                   : MessageText{NS_MESSAGE_N("Message",
                                              "%n files in \"%1\" got their earlier names back."),
                                 {folder},
                                 countOf(renamed)};
    }
    return renamed == 1
               ? MessageText{NS_MESSAGE("Message", "1 file in \"%1\" got its new name again."),
                             {folder}}
               : MessageText{
                     NS_MESSAGE_N("Message", "%n files in \"%1\" got their new names again."),
                     {folder},
                     countOf(renamed)};
}

MessageText cancelledText(HistoryStep step, const std::string& folder, std::size_t renamed,
                          std::size_t files) {
    return step == HistoryStep::Undo
               ? MessageText{NS_MESSAGE_N("Message",
                                          "Undo cancelled - %1 of %n file(s) in \"%2\" got "
                                          "their earlier names back."),
                             {std::to_string(renamed), folder},
                             countOf(files)}
               : MessageText{NS_MESSAGE_N("Message",
                                          "Redo cancelled - %1 of %n file(s) in \"%2\" got "
                                          "their new names again."),
                             {std::to_string(renamed), folder},
                             countOf(files)};
}

}  // namespace

std::string batchTimeText(std::uint64_t seconds) {
    const QDateTime time = QDateTime::fromSecsSinceEpoch(static_cast<qint64>(seconds));
    const QString format = time.date() == QDate::currentDate() ? QStringLiteral("HH:mm")
                                                               : QStringLiteral("yyyy-MM-dd HH:mm");
    return time.toString(format).toStdString();
}

std::string folderNameOf(const std::string& directory) {
    std::string_view path = directory;
    while (path.size() > 1 && path.back() == '/') {
        path.remove_suffix(1);
    }
    const std::size_t slash = path.rfind('/');
    if (slash == std::string_view::npos || path.size() == 1) {
        return std::string(path);
    }
    return std::string(path.substr(slash + 1));
}

platform::Message undoQuestion(const engine::HistoryBatch& batch) {
    const std::string time = batchTimeText(batch.time);
    const std::string folder = folderNameOf(batch.directory);
    MessageText text =
        batch.files == 1
            ? MessageText{NS_MESSAGE("Message",
                                     "Undo the batch of %1 in \"%2\": 1 file gets its earlier "
                                     "name back?"),
                          {time, folder}}
            : MessageText{NS_MESSAGE_N("Message",
                                       "Undo the batch of %1 in \"%2\": %n files get their "
                                       "earlier names back?"),
                          {time, folder},
                          countOf(batch.files)};
    platform::Message question{std::move(text), kUndoCaption, Icon::Question,
                               platform::Buttons::YesNo};
    question.helpPage = "history.html";
    return question;
}

platform::Message nothingToUndoQuestion(const std::string& folder) {
    platform::Message question{{NS_MESSAGE("Message",
                                           "There is no batch to undo in \"%1\". Open the "
                                           "history, which lists the batches of every folder?"),
                                {folderNameOf(folder)}},
                               kUndoCaption,
                               Icon::Question,
                               platform::Buttons::YesNo};
    question.helpPage = "history.html";
    return question;
}

platform::Message nothingToRedoMessage(const std::string& folder) {
    return {{NS_MESSAGE("Message", "There is no undone batch to redo in \"%1\"."),
             {folderNameOf(folder)}},
            kRedoCaption,
            Icon::Information};
}

engine::CommandReport withFacts(engine::CommandReport report, const engine::HistoryBatch& batch,
                                HistoryStep step) {
    // Only a batch that ran ends with its closing words; a refusal says what it says.
    if (report.outcome != engine::CommandOutcome::Done || report.messages.empty()) {
        return report;
    }
    const std::string folder = folderNameOf(batch.directory);
    platform::Message& closing = report.messages.back();
    const bool completion = closing.reportsCompletion;
    closing = platform::Message{
        report.batch.cancelled ? cancelledText(step, folder, report.batch.renamed, batch.files)
                               : doneText(step, folder, report.batch.renamed),
        step == HistoryStep::Undo ? kUndoCaption : kRedoCaption, Icon::Information};
    closing.reportsCompletion = completion;
    return report;
}

}  // namespace nameshift::ui
