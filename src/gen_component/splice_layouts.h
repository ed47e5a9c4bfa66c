#pragma once

// The user sections of the two files that are edited by hand and spliced.

#include "generation/splice.h"

namespace bw {

// The block header: four sections, two of them nested in the structures.
const SpliceLayout& HeaderSplice();
// The user source: two sections of the file and two in each routine.
const SpliceLayout& UserSourceSplice();

}  // namespace bw
