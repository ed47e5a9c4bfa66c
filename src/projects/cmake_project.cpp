// The CMake project of the PC-side component, written on request beside the
// Visual C++ files: it lets current Visual C++ and MinGW-w64 build the block's
// DLL. CMake runs wherever the block is built, so the host's folders are
// written in CMake's own form as this system sees them, as the defaults of
// cache variables that a user elsewhere overrides with -D:
//   <N>    the block name         <T>    the target's name
//   <INC>  the include folder     <LIB>  the library folder (both CMake-quoted)
//   <USER> the user source and a blank, or nothing for a DSP-based block

#include <algorithm>
#include <array>

#include "files/path_text.h"
#include "generation/paths.h"
#include "generation/text_contexts.h"
#include "generation/text_lines.h"
#include "projects/project_files.h"

namespace bw {

namespace {

// The folder with "/" throughout and no trailing separator, escaped for a
// quoted argument. A relative folder is taken from the block's folder, as the
// Visual C++ project takes it.
std::string CMakeFolder(std::string_view folder) {
    std::string text;
    for (const char c : folder) {
        text += IsSeparator(c) ? '/' : c;
    }
    while (text.size() > 1 && text.back() == '/' && !text.ends_with(":/")) {
        text.pop_back();
    }
    text = Escaped(TextContext::CMakeArgument, text);
    const bool rooted = !folder.empty() && IsSeparator(folder.front());
    if (rooted || HasDriveLetter(folder)) {
        return text;
    }
    return text.empty() ? "${CMAKE_CURRENT_SOURCE_DIR}" : "${CMAKE_CURRENT_SOURCE_DIR}/" + text;
}

// The target is named after the block, unless CMake keeps that name for one
// of its own targets; the DLL is named after the block either way.
std::string TargetName(const std::string& blockName) {
    static constexpr std::array<std::string_view, 15> RESERVED = {
        "all", "ALL_BUILD", "help", "install", "INSTALL", "preinstall", "clean",
        "edit_cache", "rebuild_cache", "ZERO_CHECK", "test", "RUN_TESTS", "package", "PACKAGE",
        "package_source"};
    const bool reserved = std::find(RESERVED.begin(), RESERVED.end(), blockName) != RESERVED.end();
    return reserved ? blockName + "_block" : blockName;
}

void WriteHowToBuild(Printer& print) {
    print.Lines({
        "# CMake project of the block <N>: builds <N>.dll, 32-bit as the host is.",
        "#",
        "# Visual C++ (Visual Studio; Ninja from an x86 developer command prompt):",
        "#   cmake -B build -A Win32",
        "#   cmake --build build --config Release",
        "# MinGW-w64 i686, with the toolchain file beside this one (Debian's names):",
        "#   cmake -B build -G Ninja -DCMAKE_TOOLCHAIN_FILE=mingw-w64-i686.cmake",
        "#   cmake --build build",
        "# The host's headers and libraries are looked for in the folders below;",
        "# name others with -DHOST_INCLUDE_DIR=folder -DHOST_LIB_DIR=folder.",
        "",
    });
}

void WriteHostFolders(Printer& print) {
    print.Block(R"_(
cmake_minimum_required(VERSION 3.15)
project(<N> C RC)

set(HOST_INCLUDE_DIR "<INC>" CACHE PATH "Folder of the host's headers (bddk.h)")
set(HOST_LIB_DIR "<LIB>" CACHE PATH "Folder of the host's link libraries (Bddk.lib)")
foreach(needed IN ITEMS "${HOST_INCLUDE_DIR}/bddk.h" "${HOST_LIB_DIR}/Bddk.lib")
    if(NOT EXISTS "${needed}")
        message(FATAL_ERROR "${needed} not found: name the host's folders with -DHOST_INCLUDE_DIR=folder -DHOST_LIB_DIR=folder")
    endif()
endforeach()
if(NOT CMAKE_SIZEOF_VOID_P EQUAL 4)
    message(FATAL_ERROR "The host loads 32-bit blocks only: configure with -A Win32, or with an i686 compiler")
endif()
)_");
    print.Line("");
}

void WriteLibrary(Printer& print) {
    print.Block(R"_(
add_library(<T> SHARED IF<N>.c <USER><N>.rc <N>.def)
# <N>.dll without a "lib" in front, with the C runtime linked in as by the Visual C++ project.
set_target_properties(<T> PROPERTIES OUTPUT_NAME <N> PREFIX "" MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
target_include_directories(<T> PRIVATE "${HOST_INCLUDE_DIR}")
target_link_directories(<T> PRIVATE "${HOST_LIB_DIR}")
target_link_libraries(<T> PRIVATE "${HOST_LIB_DIR}/Bddk.lib" htmlhelp comdlg32 gdi32)
if(MINGW)
    # The module definition names the entry points without their stdcall decoration.
    target_link_options(<T> PRIVATE -Wl,--enable-stdcall-fixup)
endif()
)_");
}

}  // namespace

void WriteCMakeToolchain(OutputFile& file, const BLOCKINFO& /*block*/) {
    Printer print(file);
    print.Lines({
        "# Cross-compiles the block for 32-bit Windows with MinGW-w64 i686, as the host",
        "# loads only 32-bit blocks. The compilers are named as Debian's packages",
        "# gcc-mingw-w64-i686 and binutils-mingw-w64-i686 install them.",
        "set(CMAKE_SYSTEM_NAME Windows)",
        "set(CMAKE_SYSTEM_PROCESSOR x86)",
        "set(CMAKE_C_COMPILER i686-w64-mingw32-gcc)",
        "set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)",
        "set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)",
        "set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)",
        "set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)",
        "set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)",
        "set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)",
    });
}

void WriteCMakeProject(OutputFile& file, const BLOCKINFO& block) {
    Printer print(file);
    print.Set("N", block.BlockName);
    print.Set("T", TargetName(block.BlockName));
    print.Set("INC", CMakeFolder(block.IncludePath));
    print.Set("LIB", CMakeFolder(block.LibraryPath));
    // Only a PC-only block has a user source.
    print.Set("USER", block.RealTime == 0 ? block.BlockName + ".c " : std::string());
    WriteHowToBuild(print);
    WriteHostFolders(print);
    WriteLibrary(print);
}

}  // namespace bw
