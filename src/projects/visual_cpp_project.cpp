// The Visual C++ 6 workspace, project and exported makefile of the PC-side
// component. The IDE and NMAKE parse these files, so every line is fixed text
// with the block's values filled in:
//   <N>    the block name as typed       <INC>  the include path
//   <LIB>  the library path              <WD>   the program's working directory
//   <LIBS> the Windows import libraries  <TAB>  a tab character
// Lines that end in a blank are ordinary string literals, so the blank shows.

#include "generation/paths.h"
#include "generation/text_contexts.h"
#include "generation/text_lines.h"
#include "projects/project_files.h"

namespace bw {

namespace {

constexpr std::string_view HASH_LINE =
    "###############################################################################";

constexpr std::string_view LIBRARY_LIST =
    "kernel32.lib user32.lib gdi32.lib winspool.lib comdlg32.lib advapi32.lib shell32.lib ole32.lib oleaut32.lib uuid.lib odbc32.lib odbccp32.lib";

// Only a PC-only block has a user source; a DSP-based block's processing lives
// in its DSP code.
bool HasUserSource(const BLOCKINFO& block) {
    return block.RealTime == 0;
}

// A file name as the IDE and NMAKE read it: quoted where a blank would end
// it (a block name with blanks), as the IDE itself writes such names.
std::string ToolFileName(const std::string& path) {
    const bool quoted = !path.empty() && path.front() == '"';
    return quoted || path.find(' ') == std::string::npos ? path : "\"" + path + "\"";
}

void SetBlockValues(Printer& print, const BLOCKINFO& block, OutputFile& file) {
    print.Set("N", block.BlockName);
    print.Set("INC", Escaped(TextContext::ProjectFile, WindowsToolPath(block.IncludePath)));
    print.Set("LIB", Escaped(TextContext::ProjectFile, WindowsToolPath(block.LibraryPath)));
    print.Set("WD", Escaped(TextContext::ProjectFile, WindowsToolPath(file.WorkingDirectory())));
    print.Set("LIBS", LIBRARY_LIST);
    print.Set("TAB", "\t");
}

// ---------------------------------------------------------------------------
// Workspace

void WriteWorkspaceProject(Printer& print) {
    print.Lines({
        "Microsoft Developer Studio Workspace File, Format Version 6.00",
        "# WARNING: DO NOT EDIT OR DELETE THIS WORKSPACE FILE!",
        "",
        HASH_LINE,
        "",
    });
    print.Line(R"_(Project: "<N>"=<P> - Package Owner=<4>)_",
               {{"P", ToolFileName(print.Fill(R"_(.\<N>.dsp)_"))}});
    print.Lines({
        "",
        "Package=<5>",
        "{{{",
        "}}}",
        "",
        "Package=<4>",
        "{{{",
        "}}}",
        "",
    });
}

void WriteWorkspaceGlobal(Printer& print) {
    print.Lines({
        HASH_LINE,
        "",
        "Global:",
        "",
        "Package=<5>",
        "{{{",
        "}}}",
        "",
        "Package=<3>",
        "{{{",
        "}}}",
        "",
        HASH_LINE,
        "",
    });
}

// ---------------------------------------------------------------------------
// Project

// How NMAKE is told which configuration to build: the project head and the
// makefile's refusal of an unknown one say it alike.
void WriteConfigurationChoices(Printer& print) {
    print.Lines({
        "!MESSAGE You can specify a configuration when running NMAKE",
        "!MESSAGE by defining the macro CFG on the command line. For example:",
        "!MESSAGE ",
        R"_(!MESSAGE NMAKE /f "<N>.mak" CFG="<N> - Win32 Release")_",
        "!MESSAGE ",
        "!MESSAGE Possible choices for configuration are:",
        "!MESSAGE ",
        R"_(!MESSAGE "<N> - Win32 Release" (based on "Win32 (x86) Dynamic-Link Library"))_",
        R"_(!MESSAGE "<N> - Win32 Debug" (based on "Win32 (x86) Dynamic-Link Library"))_",
        "!MESSAGE ",
    });
}

void WriteProjectHead(Printer& print) {
    print.Lines({
        R"_(# Microsoft Developer Studio Project File - Name="<N>" - Package Owner=<4>)_",
        "# Microsoft Developer Studio Generated Build File, Format Version 6.00",
        "# ** DO NOT EDIT **",
        "",
        R"_(# TARGTYPE "Win32 (x86) Dynamic-Link Library" 0x0102)_",
        "",
        "CFG=<N> - Win32 Release",
        "!MESSAGE This is not a valid makefile. To build this project using NMAKE,",
        "!MESSAGE use the Export Makefile command and run",
        "!MESSAGE ",
        R"_(!MESSAGE NMAKE /f "<N>.mak".)_",
        "!MESSAGE ",
    });
    WriteConfigurationChoices(print);
    print.Lines({
        "",
        "# Begin Project",
        "# PROP AllowPerConfigDependencies 0",
        R"_(# PROP Scc_ProjName "")_",
        R"_(# PROP Scc_LocalPath "")_",
        "CPP=cl.exe",
        "MTL=midl.exe",
        "RSC=rc.exe",
        "",
    });
}

void WriteProjectReleaseSettings(Printer& print) {
    print.Lines({
        R"_(!IF  "$(CFG)" == "<N> - Win32 Release")_",
        "",
        "# PROP BASE Use_MFC 0",
        "# PROP BASE Use_Debug_Libraries 0",
        R"_(# PROP BASE Output_Dir ".\Release")_",
        R"_(# PROP BASE Intermediate_Dir ".\Release")_",
        R"_(# PROP BASE Target_Dir "")_",
        "# PROP Use_MFC 0",
        "# PROP Use_Debug_Libraries 0",
        R"_(# PROP Output_Dir ".\Release")_",
        R"_(# PROP Intermediate_Dir ".\Release")_",
        R"_(# PROP Target_Dir "")_",
        R"_(# ADD BASE CPP /nologo /MT /W3 /GX /O2 /D "WIN32" /D "NDEBUG" /D "_WINDOWS" /YX /c)_",
        R"_(# ADD CPP /nologo /MT /W3 /GX /O2 /I "<INC>" /D "WIN32" /D "NDEBUG" /D "_WINDOWS" /FD /c)_",
        "# SUBTRACT CPP /YX",
        R"_(# ADD BASE MTL /nologo /D "NDEBUG" /win32)_",
        R"_(# ADD MTL /nologo /D "NDEBUG" /mktyplib203 /win32)_",
        R"_(# ADD BASE RSC /l 0x409 /d "NDEBUG")_",
        R"_(# ADD RSC /l 0x409 /i "<INC>" /d "NDEBUG")_",
        "BSC32=bscmake.exe",
        "# ADD BASE BSC32 /nologo",
        "# ADD BSC32 /nologo",
        "LINK32=link.exe",
        "# ADD BASE LINK32 <LIBS> /nologo /subsystem:windows /dll /machine:I386",
        "# ADD LINK32 <LIBS> /nologo /subsystem:windows /dll /map /machine:I386",
        "",
    });
}

void WriteProjectDebugSettings(Printer& print) {
    print.Lines({
        R"_(!ELSEIF  "$(CFG)" == "<N> - Win32 Debug")_",
        "",
        "# PROP BASE Use_MFC 0",
        "# PROP BASE Use_Debug_Libraries 1",
        R"_(# PROP BASE Output_Dir ".\Debug")_",
        R"_(# PROP BASE Intermediate_Dir ".\Debug")_",
        R"_(# PROP BASE Target_Dir "")_",
        "# PROP Use_MFC 0",
        "# PROP Use_Debug_Libraries 1",
        R"_(# PROP Output_Dir ".\Debug")_",
        R"_(# PROP Intermediate_Dir ".\Debug")_",
        "# PROP Ignore_Export_Lib 0",
        R"_(# PROP Target_Dir "")_",
        R"_(# ADD BASE CPP /nologo /MTd /W3 /Gm /GX /Zi /Od /D "WIN32" /D "_DEBUG" /D "_WINDOWS" /YX /c)_",
        R"_(# ADD CPP /nologo /MTd /W3 /Gm /GX /ZI /Od /I "<INC>" /D "WIN32" /D "_DEBUG" /D "_WINDOWS" /FD /c)_",
        "# SUBTRACT CPP /YX",
        R"_(# ADD BASE MTL /nologo /D "_DEBUG" /win32)_",
        R"_(# ADD MTL /nologo /D "_DEBUG" /mktyplib203 /win32)_",
        R"_(# ADD BASE RSC /l 0x409 /d "_DEBUG")_",
        R"_(# ADD RSC /l 0x409 /i "<INC>" /d "_DEBUG")_",
        "BSC32=bscmake.exe",
        "# ADD BASE BSC32 /nologo",
        "# ADD BSC32 /nologo",
        "LINK32=link.exe",
        "# ADD BASE LINK32 <LIBS> /nologo /subsystem:windows /dll /debug /machine:I386",
        "# ADD LINK32 <LIBS> /nologo /subsystem:windows /dll /map /debug /machine:I386",
        "# SUBTRACT LINK32 /incremental:no",
        "",
        "!ENDIF ",
        "",
    });
}

// "SOURCE=" and the filled path.
void WriteSourceLine(Printer& print, std::string_view path) {
    print.Raw("SOURCE=" + ToolFileName(print.Fill(path)));
}

// One file of the project.
void WriteFileEntry(Printer& print, std::string_view path) {
    print.Line("# Begin Source File");
    print.Line("");
    WriteSourceLine(print, path);
    print.Line("# End Source File");
}

void WriteSourceFilesGroup(Printer& print, const BLOCKINFO& block) {
    print.Lines({
        R"_(# Begin Group "Source Files")_",
        "",
        R"_(# PROP Default_Filter "cpp;c;cxx;rc;def;r;odl;idl;hpj;bat;for;f90")_",
    });
    WriteFileEntry(print, R"_(.\IF<N>.c)_");
    if (HasUserSource(block)) {
        WriteFileEntry(print, R"_(.\<N>.c)_");
    }
    WriteFileEntry(print, R"_(.\<N>.def)_");
    WriteFileEntry(print, R"_(.\<N>.rc)_");
    print.Line("# End Group");
}

void WriteHeaderFilesGroup(Printer& print) {
    print.Lines({
        R"_(# Begin Group "Header Files")_",
        "",
        R"_(# PROP Default_Filter "h;hpp;hxx;hm;inl;fi;fd")_",
    });
    WriteFileEntry(print, R"_(.\hresourc.h)_");
    WriteFileEntry(print, R"_(.\resource.h)_");
    WriteFileEntry(print, R"_(.\<N>.h)_");
    print.Line("# End Group");
}

void WriteResourceFilesGroup(Printer& print) {
    print.Lines({
        R"_(# Begin Group "Resource Files")_",
        "",
        R"_(# PROP Default_Filter "ico;cur;bmp;dlg;rc2;rct;bin;cnt;rtf;gif;jpg;jpeg;jpe")_",
        "# End Group",
    });
}

void WriteProjectTarget(Printer& print, const BLOCKINFO& block) {
    print.Lines({
        "# Begin Target",
        "",
        R"_(# Name "<N> - Win32 Release")_",
        R"_(# Name "<N> - Win32 Debug")_",
    });
    WriteSourceFilesGroup(print, block);
    WriteHeaderFilesGroup(print);
    WriteResourceFilesGroup(print);
    // The host libraries, found through the program's working directory.
    WriteFileEntry(print, R"_("<WD>Bddk.lib")_");
    WriteFileEntry(print, R"_("<WD>htmlhelp.lib")_");
    print.Lines({"# End Target", "# End Project"});
}

// ---------------------------------------------------------------------------
// Makefile

void WriteMakefileHead(Printer& print) {
    print.Lines({
        "# Microsoft Developer Studio Generated NMAKE File, Based on <N>.dsp",
        R"_(!IF "$(CFG)" == "")_",
        "CFG=<N> - Win32 Release",
        "!MESSAGE No configuration specified. Defaulting to <N> - Win32 Release.",
        "!ENDIF ",
        "",
        R"_(!IF "$(CFG)" != "<N> - Win32 Release" && "$(CFG)" != "<N> - Win32 Debug")_",
        R"_(!MESSAGE Invalid configuration "$(CFG)" specified.)_",
    });
    WriteConfigurationChoices(print);
    print.Lines({
        "!ERROR An invalid configuration is specified.",
        "!ENDIF ",
        "",
        R"_(!IF "$(OS)" == "Windows_NT")_",
        "NULL=",
        "!ELSE ",
        "NULL=nul",
        "!ENDIF ",
        "",
    });
}

// The configuration block's values: <C> "Release" or "Debug", <NDEBUG> the
// matching preprocessor symbol.
void SetConfiguration(Printer& print, bool debug) {
    print.Set("C", debug ? "Debug" : "Release");
    print.Set("NDEBUG", debug ? "_DEBUG" : "NDEBUG");
}

void WriteConfigurationHead(Printer& print, bool debug) {
    print.Line(debug ? R"_(!ELSEIF  "$(CFG)" == "<N> - Win32 Debug")_"
                     : R"_(!IF  "$(CFG)" == "<N> - Win32 Release")_");
    print.Lines({
        "",
        R"_(OUTDIR=.\<C>)_",
        R"_(INTDIR=.\<C>)_",
        "# Begin Custom Macros",
        R"_(OutDir=.\<C>)_",
        "# End Custom Macros",
        "",
        R"_(ALL : "$(OUTDIR)\<N>.dll")_",
        "",
        "",
    });
}

void WriteCleanTarget(Printer& print, const BLOCKINFO& block, bool debug) {
    print.Line("CLEAN :");
    if (HasUserSource(block)) {
        print.Line(R"_(<TAB>-@erase "$(INTDIR)\<N>.obj")_");
    }
    print.Lines({
        R"_(<TAB>-@erase "$(INTDIR)\IF<N>.obj")_",
        R"_(<TAB>-@erase "$(INTDIR)\<N>.res")_",
        R"_(<TAB>-@erase "$(INTDIR)\vc60.idb")_",
    });
    if (debug) {
        print.Line(R"_(<TAB>-@erase "$(INTDIR)\vc60.pdb")_");
    }
    print.Lines({
        R"_(<TAB>-@erase "$(OUTDIR)\<N>.dll")_",
        R"_(<TAB>-@erase "$(OUTDIR)\<N>.exp")_",
    });
    if (debug) {
        print.Line(R"_(<TAB>-@erase "$(OUTDIR)\<N>.ilk")_");
    }
    print.Lines({
        R"_(<TAB>-@erase "$(OUTDIR)\<N>.lib")_",
        R"_(<TAB>-@erase "$(OUTDIR)\<N>.map")_",
    });
    if (debug) {
        print.Line(R"_(<TAB>-@erase "$(OUTDIR)\<N>.pdb")_");
    }
    print.Lines({
        "",
        R"_("$(OUTDIR)" :)_",
        R"_(    if not exist "$(OUTDIR)/$(NULL)" mkdir "$(OUTDIR)")_",
        "",
    });
}

void WriteCompilerRules(Printer& print, bool debug) {
    print.Line("CPP=cl.exe");
    print.Line(debug ? "CPP_PROJ=/nologo /MTd /W3 /Gm /GX /ZI /Od /I \"<INC>\" /D \"WIN32\" /D \"_DEBUG\" /D \"_WINDOWS\" /Fo\"$(INTDIR)\\\\\" /Fd\"$(INTDIR)\\\\\" /FD /c "
                     : "CPP_PROJ=/nologo /MT /W3 /GX /O2 /I \"<INC>\" /D \"WIN32\" /D \"NDEBUG\" /D \"_WINDOWS\" /Fo\"$(INTDIR)\\\\\" /Fd\"$(INTDIR)\\\\\" /FD /c ");
    print.Line("");
    for (std::string_view rule :
         {".c{$(INTDIR)}.obj::", ".cpp{$(INTDIR)}.obj::", ".cxx{$(INTDIR)}.obj::",
          ".c{$(INTDIR)}.sbr::", ".cpp{$(INTDIR)}.sbr::", ".cxx{$(INTDIR)}.sbr::"}) {
        print.Line(rule);
        print.Lines({"   $(CPP) @<<", "   $(CPP_PROJ) $< ", "<<", ""});
    }
}

void WriteToolSettings(Printer& print, bool debug) {
    print.Lines({
        "MTL=midl.exe",
        "MTL_PROJ=/nologo /D \"<NDEBUG>\" /mktyplib203 /win32 ",
        "RSC=rc.exe",
        "RSC_PROJ=/l 0x409 /fo\"$(INTDIR)\\<N>.res\" /i \"<INC>\" /d \"<NDEBUG>\" ",
        "BSC32=bscmake.exe",
        "BSC32_FLAGS=/nologo /o\"$(OUTDIR)\\<N>.bsc\" ",
        R"_(BSC32_SBRS= \)_",
        "<TAB>",
        "LINK32=link.exe",
    });
    print.Line(debug ? "LINK32_FLAGS=<LIBS> /nologo /subsystem:windows /dll /incremental:yes /pdb:\"$(OUTDIR)\\<N>.pdb\" /map:\"$(INTDIR)\\<N>.map\" /debug /machine:I386 /def:\".\\<N>.def\" /out:\"$(OUTDIR)\\<N>.dll\" /implib:\"$(OUTDIR)\\<N>.lib\" "
                     : "LINK32_FLAGS=<LIBS> /nologo /subsystem:windows /dll /incremental:no /pdb:\"$(OUTDIR)\\<N>.pdb\" /map:\"$(INTDIR)\\<N>.map\" /machine:I386 /def:\".\\<N>.def\" /out:\"$(OUTDIR)\\<N>.dll\" /implib:\"$(OUTDIR)\\<N>.lib\" ");
}

void WriteLinkTarget(Printer& print, const BLOCKINFO& block) {
    print.Lines({
        R"_(DEF_FILE= \)_",
        R"_(<TAB>".\<N>.def")_",
        R"_(LINK32_OBJS= \)_",
    });
    if (HasUserSource(block)) {
        print.Line(R"_(<TAB>"$(INTDIR)\<N>.obj" \)_");
    }
    // The host libraries through the library path; a path already ending in
    // a backslash gives a doubled one, which the tools accept.
    print.Lines({
        R"_(<TAB>"$(INTDIR)\IF<N>.obj" \)_",
        R"_(<TAB>"$(INTDIR)\<N>.res" \)_",
        R"_(<TAB>"<LIB>\Bddk.lib" \)_",
        R"_(<TAB>"<LIB>\htmlhelp.lib")_",
        "",
        R"_("$(OUTDIR)\<N>.dll" : "$(OUTDIR)" $(DEF_FILE) $(LINK32_OBJS))_",
        "    $(LINK32) @<<",
        "  $(LINK32_FLAGS) $(LINK32_OBJS)",
        "<<",
        "",
    });
}

void WriteMakefileConfiguration(Printer& print, const BLOCKINFO& block, bool debug) {
    SetConfiguration(print, debug);
    WriteConfigurationHead(print, debug);
    WriteCleanTarget(print, block, debug);
    WriteCompilerRules(print, debug);
    WriteToolSettings(print, debug);
    WriteLinkTarget(print, block);
}

void WriteDependencyInclude(Printer& print) {
    print.Lines({
        "",
        "",
        R"_(!IF "$(NO_EXTERNAL_DEPS)" != "1")_",
        R"_(!IF EXISTS("<N>.dep"))_",
        R"_(!INCLUDE "<N>.dep")_",
        "!ELSE ",
        R"_(!MESSAGE Warning: cannot find "<N>.dep")_",
        "!ENDIF ",
        "!ENDIF ",
        "",
        "",
    });
}

void WriteSourceRules(Printer& print, const BLOCKINFO& block) {
    print.Line(R"_(!IF "$(CFG)" == "<N> - Win32 Release" || "$(CFG)" == "<N> - Win32 Debug")_");
    if (HasUserSource(block)) {
        WriteSourceLine(print, R"_(.\<N>.c)_");
        print.Lines({
            "",
            R"_("$(INTDIR)\<N>.obj" : $(SOURCE) "$(INTDIR)")_",
            "",
            "",
        });
    }
    WriteSourceLine(print, R"_(.\IF<N>.c)_");
    print.Lines({
        "",
        R"_("$(INTDIR)\IF<N>.obj" : $(SOURCE) "$(INTDIR)")_",
        "",
        "",
    });
    WriteSourceLine(print, R"_(.\<N>.rc)_");
    print.Lines({
        "",
        R"_("$(INTDIR)\<N>.res" : $(SOURCE) "$(INTDIR)")_",
        "<TAB>$(RSC) $(RSC_PROJ) $(SOURCE)",
        "",
        "",
        "",
        "!ENDIF ",
    });
}

}  // namespace

void WriteWorkspace(OutputFile& file, const BLOCKINFO& block) {
    Printer print(file);
    SetBlockValues(print, block, file);
    WriteWorkspaceProject(print);
    WriteWorkspaceGlobal(print);
}

void WriteProject(OutputFile& file, const BLOCKINFO& block) {
    Printer print(file);
    SetBlockValues(print, block, file);
    WriteProjectHead(print);
    WriteProjectReleaseSettings(print);
    WriteProjectDebugSettings(print);
    WriteProjectTarget(print, block);
}

void WriteMakefile(OutputFile& file, const BLOCKINFO& block) {
    Printer print(file);
    SetBlockValues(print, block, file);
    WriteMakefileHead(print);
    WriteMakefileConfiguration(print, block, false);
    WriteMakefileConfiguration(print, block, true);
    print.Line("!ENDIF ");
    WriteDependencyInclude(print);
    WriteSourceRules(print, block);
}

}  // namespace bw
