#pragma once

namespace nameshift::cli {

// How much nameshift-cli says on standard error. Failures and refusals are printed at every
// level, with the dialog program's own texts.
enum class Verbosity {
    Quiet,    // failures and refusals alone
    Normal,   // also the questions a refusal answered No to, as mv and rename stay quiet
    Verbose,  // everything the dialog would show, each rename, and the directory worked in
};

}  // namespace nameshift::cli
