#include "engine/PreviewCommand.h"

#include "engine/NameComputation.h"
#include "engine/TagNaming.h"

namespace nameshift::engine {

bool preview(RenameSession& session, PreviewDisplay& display) {
    if (!computeNewNames(session.rules, session.fileList, session.lists, session.messages)) {
        return false;
    }
    if (session.rules.supportId3) {
        if (session.id3.format.empty()) {
            session.messages.show("You have not specified any ID3 options", "No options specified",
                                  platform::Icon::Stop);
            session.lists.clear();
            return false;
        }
        applyTagNaming(session.id3, session.tags, session.directory, session.lists);
    }
    for (std::size_t i = 0; i < session.lists.oldNames.size(); ++i) {
        display.addPair(session.lists.oldNames[i], session.lists.newNames[i]);
    }
    display.show();
    session.lists.clear();
    return true;
}

}  // namespace nameshift::engine
