#pragma once

namespace nameshift::engine {

// How a command that changes files ended, so that the caller knows whether to go on.
enum class CommandOutcome {
    Cancelled,  // the user declined or picked nothing; nothing changed
    Refused,    // a check failed and said why; nothing changed
    // Nothing changed on disk: the folder changed since it was listed, and the file list was
    // filled again to show it as it is.
    Relisted,
    Done,         // the work was done and the file list refilled
    ExitProgram,  // the work was done and the options ask the program to end
};

}  // namespace nameshift::engine
