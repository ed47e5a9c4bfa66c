#pragma once

// Where the block's files go: a block directory that names a folder, not
// nothing and not a root folder, and every file of the set a path of its
// own, also where file names ignore case.

#include <vector>

#include "check/definition_check.h"
#include "definition/block_info.h"

namespace bw {

// The errors of the block directory and of output files that would share a
// path, a folder's path or a name too long to write; each names the key
// whose value makes it so.
std::vector<Finding> CheckOutputPaths(const BLOCKINFO& block);

// The findings in order with the output paths' among them, after the other
// errors of the file page.
std::vector<Finding> WithOutputPathFindings(std::vector<Finding> findings,
                                            const std::vector<Finding>& outputPaths);

}  // namespace bw
