#pragma once

// The paths a run writes (the block's files, their temporaries, their
// backups and kept sections in "KRSave") against the limits of the folder
// they go to: a block or algorithm name that makes one too long is refused,
// naming the limit, before anything is written.

#include <string>
#include <vector>

#include "check/definition_check.h"
#include "generation/path_limits.h"

namespace bw {

// folder: absolute, ending in a separator, as the system is handed it.
std::vector<Finding> CheckPathLengths(const BLOCKINFO& block, const std::string& folder,
                                      const PathLimits& limits);

// Against the block's own folder and the limits of its file system.
std::vector<Finding> CheckPathLengths(const BLOCKINFO& block);

}  // namespace bw
