#pragma once

// Reading the host's library catalogue (definition/host_catalogue.h).
//
// Every product of the family keeps its settings in its own file,
// "Calderic/<product>.conf", under the user's configuration folder, with the
// system-wide folders as the machine-wide counterpart. The products are the
// files in the user's folder. A product's folder is its "Settings" value
// "Working Directory" (system-wide files first, then the user's); its
// libraries are listed in the user's file under "Libraries": "Library Count",
// then "Lib<n>" (a library name) and "LibFile<n>" (that library's catalogue
// file, relative to the product's folder), n counted from 1. A catalogue file
// is an INI file whose section "Groups" holds "Group Count" and "Group<n>".
// Whatever is missing is skipped without a word.
//
// On Windows the family keeps all of this in the registry instead: the
// products are the sub-keys of the user's "Software\Calderic", a product's
// folder is the machine-wide "Software\Calderic\<product>\Settings" value
// "Working Directory", and its libraries are the user's
// "Software\Calderic\<product>\Libraries" values, named as above.

#include <string>
#include <vector>

#include "definition/host_catalogue.h"

namespace bw {

// Where the family's settings files are looked for.
struct FamilyFolders {
    std::string user;                 // the user's configuration folder
    std::vector<std::string> system;  // the system-wide ones, in lookup order

    // The folders of this session: $XDG_CONFIG_HOME and $XDG_CONFIG_DIRS, as
    // the application's own settings use them. None on Windows, where the
    // family keeps its settings in the registry, which ReadHostCatalogue reads.
    static FamilyFolders FromEnvironment();
};

HostCatalogue ReadHostCatalogue(const FamilyFolders& folders);

}  // namespace bw
