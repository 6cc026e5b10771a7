#include "ui/RecoveryOffer.h"

#include <string>
#include <utility>

#include "engine/batch/BatchGuard.h"
#include "engine/batch/BatchRecovery.h"

namespace nameshift::ui {

using engine::RecoveryAction;
using engine::RecoveryResult;
using platform::Icon;

namespace {

// What a recovery did, when it could do everything it was asked.
platform::MessageText recoveredText(const RecoveryResult& result, RecoveryAction action) {
    if (result.cancelled) {
        return {NS_MESSAGE_N("Message",
                             "Recovery cancelled - %n file(s) were renamed. The rest of the batch "
                             "waits for the next start."),
                {},
                static_cast<long long>(result.renamed)};
    }
    if (action == RecoveryAction::Undo) {
        return {NS_MESSAGE_N("Message", "%n file(s) renamed back."),
                {},
                static_cast<long long>(result.renamed)};
    }
    return {NS_MESSAGE_N("Message", "%n file(s) renamed; the batch is finished."),
            {},
            static_cast<long long>(result.renamed)};
}

}  // namespace

void offerRecovery(platform::FileSystem& fileSystem, platform::MessageBox& messages,
                   const std::string& stateDirectory, engine::BatchProgress* progress,
                   const engine::HistoryBound& bound) {
    if (auto refusal = engine::stateFolderRefusal(fileSystem, stateDirectory)) {
        messages.show(*refusal);
        return;
    }
    for (const platform::Message& unreadable :
         engine::unreadableJournals(fileSystem, stateDirectory)) {
        messages.show(unreadable);
    }
    for (const engine::InterruptedBatch& batch :
         engine::findInterruptedBatches(fileSystem, stateDirectory)) {
        // The words of describeInterruptedBatch, here as one template to translate.
        platform::Message question{
            {NS_MESSAGE_N("Message",
                          "A batch in \"%1\" was interrupted after %2 of %n renames.\n\n"
                          "Undo gives the renamed files their old names back. Finish renames "
                          "the rest and writes the batch's restore file as it would have. "
                          "Later leaves the batch as it is until the next start."),
             {batch.journal.directory, std::to_string(batch.done)},
             static_cast<long long>(batch.journal.entries.size())},
            NS_MESSAGE("Message", "Interrupted Batch"),
            Icon::Question,
            platform::Buttons::YesNoCancel};
        question.buttonTexts = {NS_MESSAGE("Message", "Undo"), NS_MESSAGE("Message", "Finish"),
                                NS_MESSAGE("Message", "Later")};
        question.helpPage = "recovery.html";
        const platform::Answer answer = messages.show(question);
        if (answer == platform::Answer::Cancel) {
            continue;
        }
        const RecoveryAction action =
            answer == platform::Answer::Yes ? RecoveryAction::Undo : RecoveryAction::Finish;
        const RecoveryResult result =
            engine::recoverBatch(fileSystem, stateDirectory, batch, action, progress, bound);
        for (const platform::Message& told : result.messages) {
            messages.show(told);
        }
        if (result.problems.empty()) {
            messages.show(recoveredText(result, action), NS_MESSAGE("Message", "Interrupted Batch"),
                          Icon::Information);
            continue;
        }
        platform::MessageText text{
            action == RecoveryAction::Undo
                ? NS_MESSAGE("Message",
                             "Not every file of the batch in \"%1\" could be given its "
                             "old name:\n%2")
                : NS_MESSAGE("Message",
                             "Not every file of the batch in \"%1\" could be renamed:\n%2"),
            {batch.journal.directory}};
        for (const platform::MessageText& problem : result.problems) {
            text.parts.emplace_back("\n");
            text.parts.push_back(problem);
        }
        messages.show(std::move(text), NS_MESSAGE("Message", "Interrupted Batch"), Icon::Stop);
    }
}

}  // namespace nameshift::ui
