#pragma once

#include <string>
#include <string_view>

#include "definition/seams.h"
#include "generation/output_file.h"

namespace bw {

// Copies an existing file into the "KRSave" folder beside it, replacing an
// older copy, so the folder keeps the version most recently replaced. When the
// copy fails the user is asked whether to overwrite the file anyway; true means
// go on and write it, false means leave it alone. A path with no file behind
// it needs no backup (true).
bool Backup(const std::string& path, UserPrompts& prompts);

// True when a file that holds existing needs no replacing by generated: the
// same bytes, apart from the date and time that a file head gives as its
// creation (a file whose text is as it was keeps the time it was made).
bool SameContent(std::string_view existing, std::string_view generated);

// The overwrite decision for one file of a run. Asks the overwrite question for
// an existing file unless lastAnswer is Yes to All (the answer becomes the new
// lastAnswer; Cancel also sets environment.Stopping), then backs the file up.
// True when the file is to be written: a new file always, an existing one
// after Yes or Yes to All and a backup (or the user's consent without one).
// Once Stopping is set, or without prompts for an existing file, nothing is
// to be written (false, nothing asked).
bool DecideOverwrite(const std::string& path, RunEnvironment& environment,
                     OverwriteAnswer& lastAnswer);

}  // namespace bw
