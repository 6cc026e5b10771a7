#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/batch/FileList.h"
#include "engine/contents/TagReader.h"
#include "engine/naming/BatchChecks.h"
#include "engine/naming/BatchPlan.h"
#include "engine/naming/DuplicateMarks.h"
#include "engine/naming/PreparedRules.h"
#include "engine/naming/TagNaming.h"
#include "engine/naming/TagPrefetcher.h"
#include "settings/RenameSettings.h"
#include "settings/TagNamingOptions.h"

namespace nameshift::engine {

struct RenameSession;

// What a batch is planned for.
struct PlanOptions {
    // A restore file may be written, so every name must be one it can record.
    bool mayRecord = true;
    // The folder's restore file keeps its name though the batch writes none: with the undo
    // record kept only in the history, an earlier batch's restore file stays as the preview
    // shows it.
    bool keepRestoreFile = false;
};

// The new names of a session's ticked files and what the batch would object to in each: the one
// planner of a batch. A window shows the rows in view at once and plans the rest a run of changes
// at a time between its events; preview and apply plan it whole. Planned in any order and in runs
// of any length, a complete plan holds the same names, and for each change the words with which
// apply would refuse or fail on it. The rules are copied when the plan starts; the session's file
// list and its tag reader must outlive the plan unchanged.
class IncrementalPlan {
public:
    IncrementalPlan(const RenameSession& session, const PlanOptions& options);

    // False when the settings give no names (nothing ticked, an empty edit a rule needs, ID3
    // naming without a format), which a preview refuses; nothing is planned then.
    bool makesNames() const { return makesNames_; }
    std::size_t size() const { return plan_.changes.size(); }
    bool complete() const { return planned_ == size(); }

    // The position in the batch of a ticked row of the file list; nothing for another row.
    std::optional<std::size_t> positionOfRow(std::size_t row) const;
    std::size_t rowAt(std::size_t position) const { return plan_.changes[position].file; }

    // Plans the changes of the ticked rows in [firstRow, endRow) that are not planned yet.
    void planRows(std::size_t firstRow, std::size_t endRow);
    // Plans up to `count` changes not planned yet, in batch order, as far as the tags read ahead
    // go (readTagsFrom).
    void planMore(std::size_t count);
    // Plans every change not planned yet, reading itself the tags not read ahead.
    void planRest();
    // Plans the rest and judges the batch as apply does: the plan's refusal is the first reason
    // in the order the checks are made, and it says where the counter goes on.
    const BatchPlan& planWhole();
    // The plan of planWhole, taken out.
    BatchPlan takePlan() && { return std::move(plan_); }

    // Whether naming reads the files' tags, which may then be read ahead on another thread.
    bool readsTags() const;
    const TagNamer& tagNamer() const { return namer_; }
    // The names of the ticked files, in batch order.
    std::vector<std::string> oldNames() const;
    // Takes the tags of the changes from `prefetched`, of the same files in the same order, as
    // far as they are read; planMore goes no further than that.
    void readTagsFrom(std::shared_ptr<const PrefetchedTags> prefetched);
    // How many tags must be read ahead before planMore(count) can plan anything; nothing when
    // it can now, or when the plan is complete.
    std::optional<std::size_t> awaitedTags(std::size_t count) const;

    // The change's new name; null until it is planned.
    const std::string* newName(std::size_t position) const;
    // Why the change would be refused or fail; null when it passes, as far as the changes
    // planned so far tell: a duplicate is only certain once the plan is complete.
    const platform::MessageText* problem(std::size_t position) const;
    // The refusal a regular expression gave when it ran past its bound on a name, which the
    // batch takes as its own; the names planned after it are not to be shown.
    const std::optional<platform::Message>& rulesRefusal() const { return rulesRefusal_; }
    // Why the settings make no names, for a column that would otherwise stay blank: an edit a
    // rule needs left empty, ID3 naming without a format. Nothing while they make names, while
    // nothing is ticked, and for a pattern, whose own field says what is wrong with it.
    const std::optional<platform::Message>& settingsRefusal() const { return settingsRefusal_; }
    // How many changes are marked as duplicates so far, which grows as more are planned.
    std::size_t duplicateCount() const { return duplicates_.count(); }

private:
    // Plans every change at the first call when duplicates are numbered; false when they are not.
    bool plannedWhole(std::size_t readEnd);
    void planUpTo(std::size_t count, std::size_t readEnd);
    void planPositions(std::size_t first, std::size_t end);
    // Names the changes in [first, end) by the rules, the template's and the tags' among them;
    // the files the template could not name, with why.
    std::vector<std::pair<std::size_t, platform::MessageText>> nameByRules(std::size_t first,
                                                                           std::size_t end);
    // The end of the positions whose tags are read, or which read none.
    std::size_t readEnd() const;
    std::size_t firstUnplanned() const;
    // The position of the first ticked row from `row` on.
    std::size_t positionFrom(std::size_t row) const;
    FolderNames folderNames() const;
    // Where the counting of the folder of the change at `position` starts, as the template's
    // counter counts: the first ticked file of that folder.
    std::size_t firstInFolder(std::size_t position) const;
    // The refusal of settings that make no names, for a whole plan.
    std::optional<platform::Message> refusalBySettings() const;
    // The first safety check of a complete plan that refuses it.
    std::optional<platform::Message> safetyRefusal() const;

    const FileList& fileList_;
    TagReader& tags_;
    PreparedRules rules_;  // compiled once for the whole plan
    settings::Id3Naming id3_;
    TagNamer namer_;
    // The names given for the ticked files, which take the place of the rules'; null for none.
    const std::vector<std::string>* listedNames_ = nullptr;
    std::shared_ptr<const PrefetchedTags> prefetched_;
    bool mayRecord_ = true;
    std::size_t longestName_ = 0;  // of the folder's filesystem, in bytes
    bool makesNames_ = false;
    bool formatMissing_ = false;                // ID3 naming without a format
    std::optional<platform::Message> refusal_;  // why the settings make no names
    std::optional<platform::Message> rulesRefusal_;
    std::optional<platform::Message> settingsRefusal_;
    std::string_view keptName_;
    // The position of the change whose file keeps its name; the ones after it count from one
    // less.
    std::optional<std::size_t> keptPosition_;

    // The ticked rows, in list order, with the names planned so far.
    BatchPlan plan_;
    std::vector<char> moved_;  // per listing index: the batch renames that file
    // The positions where each folder's files begin, in a batch over subfolders.
    std::vector<std::size_t> folderFirsts_;
    std::vector<char> isPlanned_;
    // Held apart, as almost every change has none.
    std::vector<std::unique_ptr<platform::MessageText>> problems_;
    // How many changes have a problem that refuses the batch, which the kept file's note does not.
    std::size_t refusing_ = 0;
    // A batch named by the rules alone that numbers duplicates is refused for a name without a
    // base as the rules made it, before it was numbered.
    std::optional<platform::Message> unnumberedEmptyBase_;
    DuplicateMarks duplicates_{plan_.changes};
    platform::MessageText duplicateProblem_;
    std::size_t planned_ = 0;
    std::size_t nextUnplanned_ = 0;
};

// The plan apply carries out: the ticked files of session.fileList in session.directory planned
// whole. Reads the files' tags when ID3 naming is on; changes nothing.
BatchPlan planBatch(const RenameSession& session, const PlanOptions& options);

}  // namespace nameshift::engine
