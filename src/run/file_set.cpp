#include "run/file_set.h"

#include <optional>

#include "gen_component/component_files.h"
#include "gen_component/splice_layouts.h"
#include "gen_dsp/dsp_files.h"
#include "gen_interface/interface_source.h"
#include "generation/names_and_literals.h"
#include "projects/project_files.h"

namespace bw {

namespace {

using Condition = bool (*)(const BLOCKINFO&);
using NameRule = std::string (*)(const BLOCKINFO&);

// One row of the file table.
struct FileRow {
    Condition condition;
    NameRule path;  // relative to Directory
    FileKind kind;
    FileGenerator generator;
    NameRule stockFile;  // StockCopy rows
    bool integerVariant;
    TreeFolder folder;
    NameRule treeText;  // nullptr: the name part of the path
};

// Conditions.
bool Always(const BLOCKINFO&) {
    return true;
}
bool NotRealTime(const BLOCKINFO& b) {
    return b.RealTime == 0;
}
bool HasXdais(const BLOCKINFO& b) {
    return b.xDAIS != 0;
}
bool WantsCMakeProject(const BLOCKINFO& b) {
    return b.CMakeProject;
}
bool RealTime(const BLOCKINFO& b) {
    return b.RealTime != 0;
}
bool RealTimeFloat(const BLOCKINFO& b) {
    return b.RealTime != 0 && b.FloatingPoint != 0;
}
bool RealTimeInteger(const BLOCKINFO& b) {
    return b.RealTime != 0 && b.Integer != 0;
}
bool XdaisModule(const BLOCKINFO& b) {
    return b.RealTime != 0 && b.xDAIS != 0;
}

// The icon named by IconFilename, ".ico" appended when it holds no ".".
std::string FirstIcon(const BLOCKINFO& b) {
    const std::string& name = b.IconFilename;
    return name.find('.') == std::string::npos ? name + ".ico" : name;
}

// IconFilename cut before its last "." + "1.ico".
std::string SecondIcon(const BLOCKINFO& b) {
    const std::string& name = b.IconFilename;
    const size_t dot = name.rfind('.');
    return (dot == std::string::npos ? name : name.substr(0, dot)) + "1.ico";
}

std::string DspPrefix(const BLOCKINFO& b) {
    return b.xDAIS != 0 ? "DSPCODE\\tstapp\\_" : "DSPCODE\\_";
}

// The XDAIS module names: m is the lower-cased AlgorithmName, v the vendor.
std::string Module(const BLOCKINFO& b) {
    return LowerCase(b.AlgorithmName);
}
std::string ModuleVendor(const BLOCKINFO& b) {
    return Module(b) + "_" + LowerCase(b.VendorName);
}
std::string InDspCode(const std::string& folder, const std::string& name) {
    return "DSPCODE\\" + folder + "\\" + name;
}

// DSP folders of an XDAIS block hold its test application; others hold the
// sources directly.
TreeFolder DspSourceFolder(const BLOCKINFO& b) {
    return b.xDAIS != 0 ? TreeFolder::XdaisTestApp : TreeFolder::DspSource;
}
TreeFolder DspHeaderFolder(const BLOCKINFO& b) {
    return b.xDAIS != 0 ? TreeFolder::XdaisTestApp : TreeFolder::DspHeader;
}

std::string NamePart(const std::string& path) {
    const size_t last = path.rfind('\\');
    return last == std::string::npos ? path : path.substr(last + 1);
}

constexpr FileGenerator NO_GENERATOR = nullptr;
constexpr NameRule NO_STOCK = nullptr;
constexpr NameRule NAME_PART = nullptr;

// The file set, in the order of the run. Any row whose folder depends on the
// block is fixed up in BlockFileSet.
const FileRow FILE_TABLE[] = {
    {Always, [](const BLOCKINFO& b) { return b.BlockName + ".TBT"; }, FileKind::Template,
     NO_GENERATOR, NO_STOCK, false, TreeFolder::PcRoot,
     [](const BLOCKINFO& b) { return b.BlockName + ".tbt"; }},
    {NotRealTime, [](const BLOCKINFO& b) { return b.BlockName + ".c"; }, FileKind::Generated,
     WriteUserSource, NO_STOCK, false, TreeFolder::PcSource, NAME_PART},
    {Always, [](const BLOCKINFO& b) { return "IF" + b.BlockName + ".c"; }, FileKind::Generated,
     WriteInterfaceSource, NO_STOCK, false, TreeFolder::PcSource, NAME_PART},
    {Always, [](const BLOCKINFO& b) { return b.BlockName + ".h"; }, FileKind::Generated,
     WriteBlockHeader, NO_STOCK, false, TreeFolder::PcHeader, NAME_PART},
    {Always, [](const BLOCKINFO&) { return std::string("resource.h"); }, FileKind::Generated,
     WriteResourceIds, NO_STOCK, false, TreeFolder::PcHeader, NAME_PART},
    {Always, [](const BLOCKINFO&) { return std::string("hresourc.h"); }, FileKind::Generated,
     WriteResourceHeader, NO_STOCK, false, TreeFolder::PcHeader, NAME_PART},
    {Always, [](const BLOCKINFO& b) { return b.BlockName + ".rc"; }, FileKind::Generated,
     WriteResourceScript, NO_STOCK, false, TreeFolder::PcResource, NAME_PART},
    {Always, FirstIcon, FileKind::StockCopy, NO_GENERATOR,
     [](const BLOCKINFO& b) { return StockIconName(b, ""); }, false, TreeFolder::PcResource,
     NAME_PART},
    {Always, SecondIcon, FileKind::StockCopy, NO_GENERATOR,
     [](const BLOCKINFO& b) { return StockIconName(b, "1"); }, false, TreeFolder::PcResource,
     NAME_PART},
    {HasXdais, [](const BLOCKINFO& b) { return b.BlockName + ".bmp"; }, FileKind::StockCopy,
     NO_GENERATOR, [](const BLOCKINFO&) { return std::string("xDAIS.bmp"); }, false,
     TreeFolder::PcResource, NAME_PART},
    {Always, [](const BLOCKINFO& b) { return b.BlockName + ".lnk"; }, FileKind::Generated,
     WriteLinkResponse, NO_STOCK, false, TreeFolder::PcRoot, NAME_PART},
    {Always, [](const BLOCKINFO& b) { return b.BlockName + ".def"; }, FileKind::Generated,
     WriteModuleDefinition, NO_STOCK, false, TreeFolder::PcSource, NAME_PART},
    {Always, [](const BLOCKINFO& b) { return b.BlockName + ".txt"; }, FileKind::Generated,
     WriteDescriptionText, NO_STOCK, false, TreeFolder::PcRoot, NAME_PART},
    {Always, [](const BLOCKINFO& b) { return b.BlockName + ".dsw"; }, FileKind::Generated,
     WriteWorkspace, NO_STOCK, false, TreeFolder::PcRoot, NAME_PART},
    {Always, [](const BLOCKINFO& b) { return b.BlockName + ".dsp"; }, FileKind::Generated,
     WriteProject, NO_STOCK, false, TreeFolder::PcRoot, NAME_PART},
    // The makefile stays out of the page's tree: the build runs it, while the
    // user opens the workspace and the project beside it.
    {Always, [](const BLOCKINFO& b) { return b.BlockName + ".mak"; }, FileKind::Generated,
     WriteMakefile, NO_STOCK, false, TreeFolder::Hidden, NAME_PART},
    {WantsCMakeProject, [](const BLOCKINFO&) { return std::string("CMakeLists.txt"); },
     FileKind::Generated, WriteCMakeProject, NO_STOCK, false, TreeFolder::PcRoot, NAME_PART},
    {WantsCMakeProject, [](const BLOCKINFO&) { return std::string(CMAKE_TOOLCHAIN_FILE); },
     FileKind::Generated, WriteCMakeToolchain, NO_STOCK, false, TreeFolder::PcRoot, NAME_PART},
    {RealTimeFloat, [](const BLOCKINFO& b) { return DspPrefix(b) + b.BlockName + ".c"; },
     FileKind::Generated, WriteDspSource, NO_STOCK, false, TreeFolder::DspSource, NAME_PART},
    {RealTimeFloat, [](const BLOCKINFO& b) { return DspPrefix(b) + b.BlockName + ".h"; },
     FileKind::Generated, WriteDspHeader, NO_STOCK, false, TreeFolder::DspHeader, NAME_PART},
    {RealTimeInteger,
     [](const BLOCKINFO& b) { return DspPrefix(b) + IntegerName(b.BlockName) + ".c"; },
     FileKind::Generated, WriteDspSource, NO_STOCK, true, TreeFolder::DspSource, NAME_PART},
    {RealTimeInteger,
     [](const BLOCKINFO& b) { return DspPrefix(b) + IntegerName(b.BlockName) + ".h"; },
     FileKind::Generated, WriteDspHeader, NO_STOCK, true, TreeFolder::DspHeader, NAME_PART},
    {RealTime,
     [](const BLOCKINFO& b) {
         return "DSPCode\\" + (b.xDAIS != 0 ? b.AlgorithmName : b.BlockName) + ".pjt";
     },
     FileKind::Generated, WriteCodeComposerProject, NO_STOCK, false, TreeFolder::Hidden, NAME_PART},
    // The XDAIS module files the Code Composer project expects; only named here.
    {XdaisModule, [](const BLOCKINFO& b) { return InDspCode(Module(b), Module(b) + ".c"); },
     FileKind::TreeOnly, NO_GENERATOR, NO_STOCK, false, TreeFolder::XdaisAlgorithm, NAME_PART},
    {XdaisModule, [](const BLOCKINFO& b) { return InDspCode("include", Module(b) + ".h"); },
     FileKind::TreeOnly, NO_GENERATOR, NO_STOCK, false, TreeFolder::XdaisInclude, NAME_PART},
    {XdaisModule, [](const BLOCKINFO& b) { return InDspCode("src", "I" + Module(b) + ".c"); },
     FileKind::TreeOnly, NO_GENERATOR, NO_STOCK, false, TreeFolder::XdaisSrc, NAME_PART},
    {XdaisModule, [](const BLOCKINFO& b) { return InDspCode("include", "I" + Module(b) + ".h"); },
     FileKind::TreeOnly, NO_GENERATOR, NO_STOCK, false, TreeFolder::XdaisInclude, NAME_PART},
    {XdaisModule, [](const BLOCKINFO& b) { return InDspCode("src", ModuleVendor(b) + "_ialg.c"); },
     FileKind::TreeOnly, NO_GENERATOR, NO_STOCK, false, TreeFolder::XdaisSrc, NAME_PART},
    {XdaisModule, [](const BLOCKINFO& b) { return InDspCode("include", ModuleVendor(b) + ".h"); },
     FileKind::TreeOnly, NO_GENERATOR, NO_STOCK, false, TreeFolder::XdaisInclude, NAME_PART},
    {XdaisModule,
     [](const BLOCKINFO& b) { return InDspCode("src", ModuleVendor(b) + "_ialgvt.c"); },
     FileKind::TreeOnly, NO_GENERATOR, NO_STOCK, false, TreeFolder::XdaisSrc, NAME_PART},
    {XdaisModule, [](const BLOCKINFO&) { return InDspCode("tstapp", "main.c"); },
     FileKind::TreeOnly, NO_GENERATOR, NO_STOCK, false, TreeFolder::XdaisTestApp, NAME_PART},
};

BlockFile MakeBlockFile(const FileRow& row, const BLOCKINFO& block) {
    BlockFile file;
    file.path = row.path(block);
    file.kind = row.kind;
    file.generator = row.generator;
    if (row.stockFile != nullptr) {
        file.stockFile = row.stockFile(block);
    }
    if (row.generator == WriteBlockHeader) {
        file.splice = &HeaderSplice();
    } else if (row.generator == WriteUserSource) {
        file.splice = &UserSourceSplice();
    }
    file.recordsParameterOrder = row.generator == WriteDspHeader;
    file.integerVariant = row.integerVariant;
    file.folder = row.folder;
    if (row.folder == TreeFolder::DspSource) {
        file.folder = DspSourceFolder(block);
    } else if (row.folder == TreeFolder::DspHeader) {
        file.folder = DspHeaderFolder(block);
    }
    file.treeText = row.treeText != nullptr ? row.treeText(block) : NamePart(file.path);
    return file;
}

TreeItem Folder(const std::string& text) {
    return TreeItem{text, {}, {}};
}

// Puts each shown file under its folder; folders come first, in the order
// given, then the files that sit at the root.
TreeItem BuildTree(const std::string& rootText,
                   const std::vector<std::pair<TreeFolder, std::string>>& folders,
                   std::optional<TreeFolder> rootFolder, const std::vector<BlockFile>& files) {
    TreeItem root = Folder(rootText);
    for (const auto& [folder, text] : folders) {
        TreeItem item = Folder(text);
        for (const BlockFile& file : files) {
            if (file.folder == folder) {
                item.children.push_back(TreeItem{file.treeText, file.path, {}});
            }
        }
        root.children.push_back(std::move(item));
    }
    for (const BlockFile& file : files) {
        if (rootFolder && file.folder == *rootFolder) {
            root.children.push_back(TreeItem{file.treeText, file.path, {}});
        }
    }
    return root;
}

}  // namespace

std::string DirectoryPrefix(const BLOCKINFO& block) {
    const std::string& directory = block.Directory;
    if (!directory.empty() && (directory.back() == '\\' || directory.back() == '/')) {
        return directory;
    }
    return directory + "\\";
}

std::string StockIconName(const BLOCKINFO& block, const std::string& suffix) {
    std::string shape = "process";
    if (block.RealTime != 0) {
        shape = "RT";
    } else if (block.NumInputs == 0 && block.NumOutputs != 0) {
        shape = "input";
    } else if (block.NumInputs != 0 && block.NumOutputs == 0) {
        shape = "output";
    }
    return shape + suffix + ".ico";
}

std::vector<BlockFile> BlockFileSet(const BLOCKINFO& block) {
    std::vector<BlockFile> files;
    for (const FileRow& row : FILE_TABLE) {
        if (row.condition(block)) {
            files.push_back(MakeBlockFile(row, block));
        }
    }
    return files;
}

std::vector<BlockFile> RunFileSet(const BLOCKINFO& block) {
    std::vector<BlockFile> files = BlockFileSet(block);
    std::erase_if(files, [](const BlockFile& f) { return f.kind == FileKind::TreeOnly; });
    return files;
}

FileTrees BuildFileTrees(const BLOCKINFO& block) {
    const std::vector<BlockFile> files = BlockFileSet(block);
    FileTrees trees;
    trees.pc = BuildTree("PC Based Components",
                         {{TreeFolder::PcSource, "Source Files"},
                          {TreeFolder::PcHeader, "Header Files"},
                          {TreeFolder::PcResource, "Resource Files"}},
                         TreeFolder::PcRoot, files);
    trees.hasDsp = block.RealTime != 0;
    if (!trees.hasDsp) {
        return trees;
    }
    if (block.xDAIS != 0) {
        trees.dsp = BuildTree("DSP Based Components",
                              {{TreeFolder::XdaisSrc, "src"},
                               {TreeFolder::XdaisInclude, "include"},
                               {TreeFolder::XdaisAlgorithm, Module(block)},
                               {TreeFolder::XdaisTestApp, "tstapp"}},
                              std::nullopt, files);
    } else {
        trees.dsp = BuildTree(
            "DSP Based Components",
            {{TreeFolder::DspSource, "Source Files"}, {TreeFolder::DspHeader, "Header Files"}},
            std::nullopt, files);
    }
    return trees;
}

}  // namespace bw
