#pragma once

// The system this build runs on, as the build names it (BLOCKWRIGHT_WINDOWS,
// set with the files of that system; see cmake/platform-sources.cmake), for
// the few rules the systems share the code of and differ in.

namespace bw {

inline constexpr bool RUNNING_ON_WINDOWS = BLOCKWRIGHT_WINDOWS != 0;

// Where file names are matched without regard to case.
inline constexpr bool FILE_NAMES_IGNORE_CASE = RUNNING_ON_WINDOWS;

}  // namespace bw
