// The files page: the block file name, the help and icon files, the host's folders.
#include "check/checker.h"

#include <vector>

#include "check/reserved_names.h"
#include "definition/settings_rules.h"

namespace bw::check {

namespace {

// The stand-in a new block gets while nobody has said where the host is:
// the block is generated, but its projects would not build. Said once for
// both paths when both are the stand-in.
void HostFolders(Checker& c) {
    const BLOCKINFO& b = c.block;
    struct Path {
        const std::string& value;
        const char* what;
        const char* key;
        const char* setting;
    };
    std::vector<Path> unset;
    for (const Path& path : {Path{b.LibraryPath, "library", "Library Path", "Lib Directory"},
                             Path{b.IncludePath, "include", "Include Path", "Include Directory"}}) {
        if (IsUnsetHostFolder(path.value)) {
            unset.push_back(path);
        }
    }
    if (unset.empty()) {
        return;
    }
    const bool both = unset.size() == 2;
    const std::string whats =
        both ? "library and include paths" : unset[0].what + std::string(" path");
    const std::string keys =
        both ? Quoted(unset[0].key) + " and " + Quoted(unset[1].key) : Quoted(unset[0].key);
    const std::string settings = both
                                     ? Quoted(unset[0].setting) + " and " + Quoted(unset[1].setting)
                                     : Quoted(unset[0].setting);
    c.Warn({DefinitionPage::Files, -1, unset[0].key, ""},
           "The host's folder is not configured: the " + whats + (both ? " name" : " names") +
               " the stand-in " + Quoted(unset[0].value) + ". Set " + (both ? "them" : "it") +
               " to the host's folder on the file page (in a template: " + keys +
               "); the wizard keeps " + (both ? "them" : "it") + " as " + settings +
               " for new blocks.");
}

}  // namespace

void CheckFilesPage(Checker& c) {
    const BLOCKINFO& b = c.block;
    const Source block{DefinitionPage::Files, -1, "Block Name", "block file name"};
    if (b.BlockName.empty()) {
        c.Error(block, "The block has no file name.");
    } else if (!IsCIdentifier(b.BlockName)) {
        c.Error(block, "The block file name " + Quoted(b.BlockName) +
                           " names the block's routines, so it must begin with a letter or an "
                           "underscore and hold only letters, digits and underscores.");
    } else if (b.RealTime != 0 && IsCKeyword(b.BlockName)) {
        c.Error(block, "The block file name " + Quoted(b.BlockName) +
                           " is a word of the C language; the DSP routine named after it "
                           "cannot be declared.");
    }
    c.FileName({DefinitionPage::Files, -1, "Help Filename", "help file name"}, b.HelpFilename);
    c.FileName({DefinitionPage::Files, -1, "Icon Filename", "icon file name"}, b.IconFilename);
    HostFolders(c);
}

}  // namespace bw::check
