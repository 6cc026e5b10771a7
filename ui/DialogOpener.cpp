#include "ui/DialogOpener.h"

#include "engine/records/BatchHistory.h"
#include "settings/Id3OptionsFile.h"
#include "settings/MoreRulesFile.h"
#include "settings/ProgramOptionsFile.h"

namespace nameshift::ui {

void DialogOpener::openOptions() {
    if (hooks_.options) {
        hooks_.options(context());
    }
    if (auto options = settings::readProgramOptions(services_.fileSystem, paths_.programOptions,
                                                    session_.options)) {
        session_.options = *options;
    }
    // The history's options share morerules.ini with the rules, whose unsaved changes stay.
    if (const auto text =
            services_.fileSystem.readFile(paths_.moreRules, settings::kSettingsFileMaxBytes);
        text.ok()) {
        const settings::RenameSettings saved = settings::parseMoreRules(*text, {});
        session_.rules.historyOnly = saved.historyOnly;
        session_.rules.historyBatches = saved.historyBatches;
        session_.rules.historyMebibytes = saved.historyMebibytes;
        tellRefusedHistoryOptions();
    }
    // Whether a restore file may be written decides which names the column may give.
    newNames_.schedule();
}

void DialogOpener::tellRefusedHistoryOptions() {
    // The history then keeps its default bound, which the user should know is not the one asked
    // for: the command-line tool refuses its batches over the same words.
    if (const auto refusal = engine::historyOptionRefusal(session_.rules, paths_.moreRules)) {
        services_.messages.show(*refusal);
    }
}

void DialogOpener::openTagNamingOptions() {
    if (hooks_.tagNamingOptions) {
        hooks_.tagNamingOptions(context());
    }
    // Unlike opt.ini, a missing ID3Opts.ini is reported here too, and renaming falls back on
    // the default format.
    session_.id3 =
        settings::loadId3Naming(services_.fileSystem, services_.messages, paths_.id3Options);
    newNames_.schedule();
}

void DialogOpener::openAbout() {
    if (hooks_.about) {
        hooks_.about(context());
    }
}

void DialogOpener::openHelp(const QString& page) {
    if (hooks_.help) {
        hooks_.help(context(), page);
    }
}

DialogContext DialogOpener::context() {
    return {&window_, services_.fileSystem, services_.messages, paths_};
}

}  // namespace nameshift::ui
