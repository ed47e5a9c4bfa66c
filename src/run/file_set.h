#pragma once

// The block's file set: one table names every file, when it is produced, how,
// and where the generate page's trees show it. The run and the trees are both
// read from it, so what is listed is what is written.

#include <string>
#include <vector>

#include "definition/block_info.h"
#include "generation/output_file.h"
#include "generation/splice.h"

namespace bw {

// The toolchain file written beside the CMake project for MinGW-w64 i686.
inline constexpr const char* CMAKE_TOOLCHAIN_FILE = "mingw-w64-i686.cmake";

// A generator: from the definition and what the output file hands it (the
// head's time, the working directory, the user sections carried over) to
// the file's text.
using FileGenerator = void (*)(OutputFile&, const BLOCKINFO&);

enum class FileKind {
    Template,   // the definition saved by the template writer
    Generated,  // written by a generator through an output file
    StockCopy,  // copied from the working directory
    TreeOnly,   // named in the trees, produced elsewhere (the XDAIS module files)
};

// Where a file shows in the generate page's trees.
enum class TreeFolder {
    Hidden,  // not shown
    PcRoot,
    PcSource,
    PcHeader,
    PcResource,
    DspSource,
    DspHeader,
    XdaisSrc,
    XdaisInclude,
    XdaisAlgorithm,
    XdaisTestApp,
};

// One file of a block's set.
struct BlockFile {
    // Relative to Directory, "\" separating as the definition writes paths.
    std::string path;
    FileKind kind = FileKind::Generated;
    FileGenerator generator = nullptr;  // Generated files
    std::string stockFile;              // StockCopy: the file in the working directory
    // The user sections its previous version carries over, or null.
    const SpliceLayout* splice = nullptr;
    // The DSP header: the order of its parameter members is recorded in
    // "_rtparam.ini" after the files.
    bool recordsParameterOrder = false;
    // The integer DSP variant: generated from the definition switched to
    // Integer only, under the integer name.
    bool integerVariant = false;
    TreeFolder folder = TreeFolder::Hidden;
    std::string treeText;  // the item's text in its tree
};

// Every file of the block's set whose condition holds, in the run's order.
// TreeOnly entries come last.
std::vector<BlockFile> BlockFileSet(const BLOCKINFO& block);

// The files the run produces, in its order (BlockFileSet without TreeOnly).
std::vector<BlockFile> RunFileSet(const BLOCKINFO& block);

// The project directory followed by "\" unless it already ends with a separator.
std::string DirectoryPrefix(const BLOCKINFO& block);

// The stock icon for the block's shape: "RT", "input", "output" or "process",
// followed by suffix and ".ico".
std::string StockIconName(const BLOCKINFO& block, const std::string& suffix);

// One item of a tree: a folder (children, no path) or a file.
struct TreeItem {
    std::string text;
    std::string path;  // relative to Directory, as in BlockFile; empty for folders
    std::vector<TreeItem> children;
};

// The generate page's two trees: "PC Based Components" and, for a DSP-based
// block, "DSP Based Components".
struct FileTrees {
    TreeItem pc;
    TreeItem dsp;
    bool hasDsp = false;
};

FileTrees BuildFileTrees(const BLOCKINFO& block);

}  // namespace bw
