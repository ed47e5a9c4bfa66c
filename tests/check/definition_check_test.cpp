// The definition checker over one table of definitions, each a small change
// from a valid block, with the finding it must give; the blocks the generator
// tests write (and so the golden files) pass it; the template reader notes
// what it read otherwise than written.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>

#include "check/definition_check.h"
#include "definition/template_file.h"
#include "gen_component/block_header_test_blocks.h"
#include "gen_dsp/dsp_files.h"
#include "gen_dsp/dsp_test_blocks.h"
#include "gen_interface/interface_test_support.h"
#include "support/generate.h"
#include "support/missing_tool.h"
#include "support/recording_prompts.h"

namespace bw {
namespace {

// ---------------------------------------------------------------------------
// The valid blocks each row changes.

// A simulation block with one of each record, names with blanks included.
BLOCKINFO Simulation() {
    BLOCKINFO block = NewBlock();
    block.BlockName = "Echo";
    block.IconFilename = "Echo.ico";
    block.HelpFilename = "Echo.hlp";
    AddParameter(block, "Delay Time");
    AddParameter(block, "N");
    AddPersistant(block, "last sample", TYPE_FLOAT);
    AddLocalArray(block, "history buffer", "N*2");
    return block;
}

// A real-time block: its DSP header declares the parameters, persistent
// variables and arrays as members of one structure.
BLOCKINFO RealTime() {
    BLOCKINFO block = NewBlock();
    block.BlockName = "NFEcho";
    block.RealTime = 1;
    block.IconFilename = "NFEcho.ico";
    AddParameter(block, "Gain");
    AddPersistant(block, "lastSample");
    AddLocalArray(block, "history", "256");
    return block;
}

BLOCKINFO Xdais() {
    BLOCKINFO block = RealTime();
    block.xDAIS = 1;
    block.AlgorithmName = "echo";
    block.VendorName = "tl";
    return block;
}

PARAMINFO& Parameter(BLOCKINFO& block, int i) {
    return block.Parameters[static_cast<size_t>(i)];
}
PERSISTANTINFO& Persistant(BLOCKINFO& block, int i) {
    return block.Persistants[static_cast<size_t>(i)];
}
LOCALARRAYINFO& Array(BLOCKINFO& block, int i) {
    return block.LocalArrays[static_cast<size_t>(i)];
}

// ---------------------------------------------------------------------------
// The table.

struct Row {
    const char* what;
    BLOCKINFO (*base)();
    std::function<void(BLOCKINFO&)> change;
    // The first finding: its key and a piece of its message; no key for a
    // valid neighbour, which must give no finding at all.
    const char* key;
    const char* says;
    Severity severity = Severity::Error;
};

const Row ROWS[] = {
    {"blank in the block name", Simulation, [](BLOCKINFO& b) { b.BlockName = "My Echo"; },
     "Block Name", "must begin with a letter"},
    {"block name of a template", Simulation, [](BLOCKINFO& b) { b.BlockName = "9 bad name!"; },
     "Block Name", "\"9 bad name!\""},
    {"no block name", Simulation, [](BLOCKINFO& b) { b.BlockName.clear(); }, "Block Name",
     "no file name"},
    {"real-time block named by a keyword", RealTime, [](BLOCKINFO& b) { b.BlockName = "do"; },
     "Block Name", "word of the C language"},
    {"icon name with a colon", Simulation, [](BLOCKINFO& b) { b.IconFilename = "a:b.ico"; },
     "Icon Filename", "\":\", which cannot stand in a file name"},
    {"help name with a quote", Simulation, [](BLOCKINFO& b) { b.HelpFilename = "a\"b.hlp"; },
     "Help Filename", "cannot stand in a file name"},
    {"input count beyond the channels", Simulation, [](BLOCKINFO& b) { b.NumInputs = 130; },
     "Inputs", "must be 0 to 129"},
    {"two names, one member", Simulation,
     [](BLOCKINFO& b) {
         Parameter(b, 0).ParameterName = "Gain 1";
         AddParameter(b, "Gain1");
     },
     "ParameterName2", "both become the member _Gain1"},
    {"names differing in case, one control", Simulation,
     [](BLOCKINFO& b) {
         Parameter(b, 0).ParameterName = "Gain 1";
         AddParameter(b, "gain1");
     },
     "ParameterName2", "dialog control name IDC_STRING_GAIN1"},
    {"parameter and persistent variable of one name", Simulation,
     [](BLOCKINFO& b) { Persistant(b, 0).PersistantName = "Delay Time"; }, "PersistantName0",
     "the parameter \"Delay Time\" both become the member _DelayTime"},
    {"identifier form a keyword", Simulation,
     [](BLOCKINFO& b) { Parameter(b, 0).ParameterName = "Complex"; }, "ParameterName0", "_Complex"},
    {"identifier form a predefined macro", Simulation,
     [](BLOCKINFO& b) { Persistant(b, 0).PersistantName = "WIN32"; }, "PersistantName0", "_WIN32"},
    {"control name the host defines", Simulation,
     [](BLOCKINFO& b) { Parameter(b, 0).ParameterName = "FRAMESIZE"; }, "ParameterName0",
     "IDC_VAR_FRAMESIZE, which the host's headers already hold"},
    {"radio items of one identifier", Simulation,
     [](BLOCKINFO& b) {
         Parameter(b, 0).ParameterType = TYPE_RADIO_BUTTONS;
         Parameter(b, 0).ParameterItems = {"Fast mode", "Fastmode"};
     },
     "ParameterName0", "Two items"},
    {"unknown parameter type", Simulation,
     [](BLOCKINFO& b) { Parameter(b, 1).ParameterType = 999; }, "ParameterType1",
     "no parameter type"},
    {"local array of size 0", Simulation, [](BLOCKINFO& b) { Array(b, 0).LocalSize = "0"; },
     "LocalSize0", "\"0\" is outside 1 to 2147483647 elements"},
    {"negative local array size", Simulation, [](BLOCKINFO& b) { Array(b, 0).LocalSize = "-5"; },
     "LocalSize0", "outside 1 to 2147483647"},
    {"size with letters after its number", Simulation,
     [](BLOCKINFO& b) { Array(b, 0).LocalSize = "10abc"; }, "LocalSize0", "not a whole number"},
    {"size with a blank after its number", Simulation,
     [](BLOCKINFO& b) { Array(b, 0).LocalSize = "10 "; }, "LocalSize0", "not a whole number"},
    {"size naming no parameter", Simulation, [](BLOCKINFO& b) { Array(b, 0).LocalSize = "M*2"; },
     "LocalSize0", "names \"M\", which is not a parameter"},
    {"empty size", Simulation, [](BLOCKINFO& b) { Array(b, 0).LocalSize = ""; }, "LocalSize0",
     "names no parameter"},
    {"size naming a text parameter", Simulation,
     [](BLOCKINFO& b) {
         AddParameter(b, "Label", TYPE_TEXT);
         Array(b, 0).LocalSize = "N+Label";
     },
     "LocalSize0", "names the text parameter \"Label\""},
    {"Other type naming no type", Simulation,
     [](BLOCKINFO& b) { Persistant(b, 0).PersistantType = TYPE_OTHER; }, "PersistantTypeOther0",
     "names no type"},
    {"real-time array sized by a parameter", RealTime,
     [](BLOCKINFO& b) { Array(b, 0).LocalSize = "Gain"; }, "LocalSize0",
     "fixed number of elements"},
    {"real-time persistent of type Other", RealTime,
     [](BLOCKINFO& b) {
         Persistant(b, 0).PersistantType = TYPE_OTHER;
         Persistant(b, 0).PersistantTypeOther = "RECT";
     },
     "PersistantType0", "cannot know that type"},
    {"real-time persistent and array of one name", RealTime,
     [](BLOCKINFO& b) { Array(b, 0).ArrayName = "lastSample"; }, "ArrayName0",
     "both become the DSP member _lastSample"},
    {"real-time persistent named as a parameter member", RealTime,
     [](BLOCKINFO& b) { Persistant(b, 0).PersistantName = "Gain"; }, "PersistantName0",
     "member _Gain"},
    {"XDAIS parameter starting with a digit", Xdais,
     [](BLOCKINFO& b) { Parameter(b, 0).ParameterName = "3ndKnee"; }, "ParameterName0",
     "algorithm parameter 3ndKnee"},
    {"XDAIS algorithm name with a blank", Xdais, [](BLOCKINFO& b) { b.AlgorithmName = "my echo"; },
     "Algorithm Name", "must begin with a letter"},
    {"what the template reader coerced", Simulation,
     [](BLOCKINFO& b) {
         b.TemplateNotes.push_back({"Inputs", "\"abc\" is not a number"});
     },
     "Inputs", "\"abc\" is not a number", Severity::Warning},
    {"library path left at the stand-in for the host's folder", Simulation,
     [](BLOCKINFO& b) { b.LibraryPath = "/home/u/Documents/Blockwright/host-sdk-not-set/"; },
     "Library Path", "the library path names the stand-in", Severity::Warning},
    {"include path left at the stand-in, Windows form", Simulation,
     [](BLOCKINFO& b) { b.IncludePath = "c:\\Users\\u\\Blockwright\\host-sdk-not-set"; },
     "Include Path", "keeps it as \"Include Directory\"", Severity::Warning},
    {"both paths left at the stand-in, said once", Simulation,
     [](BLOCKINFO& b) { b.LibraryPath = b.IncludePath = "/home/u/Blockwright/host-sdk-not-set/"; },
     "Library Path", "as \"Lib Directory\" and \"Include Directory\"", Severity::Warning},

    // Valid neighbours: a host folder named much like the stand-in is the user's choice.
    {"host folder that only begins like the stand-in", Simulation,
     [](BLOCKINFO& b) { b.LibraryPath = b.IncludePath = "/opt/host-sdk-not-set-up/"; }, nullptr,
     nullptr},

    // Valid neighbours: every generated file writes typed texts in the form
    // its reader needs.
    {"quotes, backslashes and percent signs in typed texts", Simulation,
     [](BLOCKINFO& b) {
         b.MenuName = "My \"Echo\" 50%";
         b.CompanyName = "Calderic\\";
         b.OutputChannelLabel[0] = "Out\"0";
         Array(b, 0).ArrayName = "buffer\\";
         Parameter(b, 0).ParameterName = "Delay \"Time\"";
         Parameter(b, 0).ParameterType = TYPE_RADIO_BUTTONS;
         Parameter(b, 0).ParameterItems = {"On", "\"Off\""};
         Parameter(b, 0).ParameterDefault = "\"Off\"";
     },
     nullptr, nullptr},

    // Valid neighbours: the host side turns these into identifiers.
    {"blanks and hyphens in names", Simulation,
     [](BLOCKINFO& b) {
         Parameter(b, 0).ParameterName = "Gain - left";
         Persistant(b, 0).PersistantName = "gain-right";
         Array(b, 0).ArrayName = "two words";
     },
     nullptr, nullptr},
    {"names differing in case as members only", Simulation,
     [](BLOCKINFO& b) {
         Parameter(b, 0).ParameterName = "gain";
         Persistant(b, 0).PersistantName = "Gain";
     },
     nullptr, nullptr},
    {"a digit first where an underscore goes before it", RealTime,
     [](BLOCKINFO& b) { Parameter(b, 0).ParameterName = "3ndKnee"; }, nullptr, nullptr},
    {"a parameter named as a DSP local variable", RealTime,
     [](BLOCKINFO& b) { Persistant(b, 0).PersistantName = "index"; }, nullptr, nullptr},
    {"Other type in a simulation block", Simulation,
     [](BLOCKINFO& b) {
         Persistant(b, 0).PersistantType = TYPE_OTHER;
         Persistant(b, 0).PersistantTypeOther = "RECT";
     },
     nullptr, nullptr},
    {"size naming a parameter with a blank", Simulation,
     [](BLOCKINFO& b) { Array(b, 0).LocalSize = "(Delay Time+1)*2"; }, nullptr, nullptr},
    {"XDAIS block with a local array sized by a parameter", Xdais,
     [](BLOCKINFO& b) { Array(b, 0).LocalSize = "Gain"; }, nullptr, nullptr},
};

std::string Describe(const std::vector<Finding>& findings) {
    std::string text;
    for (const Finding& finding : findings) {
        text += "\n  " + finding.key + ": " + finding.message;
    }
    return text;
}

TEST(DefinitionCheckTest, EachChangeGivesItsFindingAndValidNeighboursNone) {
    for (BLOCKINFO (*base)() : {Simulation, RealTime, Xdais}) {
        EXPECT_TRUE(CheckDefinition(base()).empty()) << Describe(CheckDefinition(base()));
    }
    for (const Row& row : ROWS) {
        SCOPED_TRACE(row.what);
        BLOCKINFO block = row.base();
        row.change(block);
        const std::vector<Finding> findings = CheckDefinition(block);
        if (row.key == nullptr) {
            EXPECT_TRUE(findings.empty()) << Describe(findings);
            continue;
        }
        ASSERT_FALSE(findings.empty());
        const Finding& first = findings.front();
        EXPECT_EQ(first.severity, row.severity);
        EXPECT_EQ(first.key, row.key) << Describe(findings);
        EXPECT_NE(first.message.find(row.says), std::string::npos) << first.message;
        EXPECT_EQ(HasErrors(findings), row.severity == Severity::Error);
    }
}

// A control character in any typed text reaches files that have no escape
// for it (comments, the description file, the makefile, the template): it is
// refused, naming the key. A tab passes, and line ends where a text has lines.
TEST(DefinitionCheckTest, AControlCharacterInAnyTypedTextIsRefusedNamingTheKey) {
    const std::string steering =
        "Gain\x1b]0;pwned\x07"
        "Control";
    struct Text {
        const char* key;
        std::function<void(BLOCKINFO&, const std::string&)> set;
    };
    const Text texts[] = {
        {"Library Name", [](BLOCKINFO& b, const std::string& t) { b.LibraryName = t; }},
        {"Group Name", [](BLOCKINFO& b, const std::string& t) { b.GroupName = t; }},
        {"Menu Name", [](BLOCKINFO& b, const std::string& t) { b.MenuName = t; }},
        {"Short Description", [](BLOCKINFO& b, const std::string& t) { b.ShortDescription = t; }},
        {"Long Description", [](BLOCKINFO& b, const std::string& t) { b.LongDescription = t; }},
        {"Directory", [](BLOCKINFO& b, const std::string& t) { b.Directory = "/blocks/" + t; }},
        {"Library Path", [](BLOCKINFO& b, const std::string& t) { b.LibraryPath = t; }},
        {"Include Path", [](BLOCKINFO& b, const std::string& t) { b.IncludePath = t; }},
        {"Company Name", [](BLOCKINFO& b, const std::string& t) { b.CompanyName = t; }},
        {"Revision", [](BLOCKINFO& b, const std::string& t) { b.Revision = t; }},
        {"Vendor Name", [](BLOCKINFO& b, const std::string& t) { b.VendorName = t; }},
        {"Prototype 1 Type",
         [](BLOCKINFO& b, const std::string& t) {
             b.Prototypes = {{"run", t, {}, {}}};
         }},
        {"Input Channel Label0",
         [](BLOCKINFO& b, const std::string& t) { b.InputChannelLabel[0] = t; }},
        {"Output Channel Label0",
         [](BLOCKINFO& b, const std::string& t) { b.OutputChannelLabel[0] = t; }},
        {"ParameterDesc0",
         [](BLOCKINFO& b, const std::string& t) { Parameter(b, 0).ParameterDesc = t; }},
        {"ParameterDefault0",
         [](BLOCKINFO& b, const std::string& t) { Parameter(b, 0).ParameterDefault = t; }},
        {"ParameterItems0-1",
         [](BLOCKINFO& b, const std::string& t) {
             Parameter(b, 0).ParameterType = TYPE_COMBO_BOX;
             Parameter(b, 0).ParameterItems = {"one", t};
         }},
        {"PersistantDefault0",
         [](BLOCKINFO& b, const std::string& t) { Persistant(b, 0).PersistantDefault = t; }},
        {"LocalSize0", [](BLOCKINFO& b, const std::string& t) { Array(b, 0).LocalSize = t; }},
        {"Icon Filename", [](BLOCKINFO& b, const std::string& t) { b.IconFilename = t + ".ico"; }},
    };
    for (const Text& text : texts) {
        SCOPED_TRACE(text.key);
        for (const std::string& typed : {steering, std::string("a\x7f"), std::string("a\0b", 3)}) {
            BLOCKINFO block = Xdais();
            text.set(block, typed);
            const std::vector<Finding> findings = CheckDefinition(block);
            const auto named =
                std::find_if(findings.begin(), findings.end(), [&](const Finding& f) {
                    return f.key == text.key &&
                           f.message.find("control character") != std::string::npos;
                });
            ASSERT_NE(named, findings.end()) << Describe(findings);
            EXPECT_EQ(named->severity, Severity::Error);
        }
    }
    BLOCKINFO block = Xdais();
    block.MenuName = "Gain\tControl";
    block.LongDescription = "Scales\r\nits input.";
    Parameter(block, 0).ParameterDesc = "The factor,\r\n\tapplied to every sample.";
    EXPECT_TRUE(CheckDefinition(block).empty()) << Describe(CheckDefinition(block));
    block.MenuName = "Gain\r\nControl";  // one line only
    EXPECT_TRUE(HasErrors(CheckDefinition(block)));
}

TEST(DefinitionCheckTest, ACollisionIsReportedOnceOnTheLaterRecordsPage) {
    BLOCKINFO block = Simulation();
    Parameter(block, 0).ParameterName = "Gain";
    Persistant(block, 0).PersistantName = "Gain";
    const std::vector<Finding> findings = CheckDefinition(block);
    ASSERT_EQ(findings.size(), 1u) << Describe(findings);
    EXPECT_EQ(findings[0].page, DefinitionPage::Persistants);
    EXPECT_EQ(findings[0].record, 0);
    EXPECT_EQ(FirstErrorOn(findings, DefinitionPage::Parameters), nullptr);
    EXPECT_EQ(FirstErrorOn(findings, DefinitionPage::Persistants), &findings[0]);
}

TEST(DefinitionCheckTest, RecordsBeyondTheCountsAndExcludedEntriesAreNotChecked) {
    BLOCKINFO block = Simulation();
    Parameter(block, 5).ParameterName = "Complex";
    Array(block, 3).LocalSize = "0";
    AddParameter(block, "Delay Time", TYPE_EXCLUDED);
    EXPECT_TRUE(CheckDefinition(block).empty()) << Describe(CheckDefinition(block));
}

TEST(DefinitionCheckTest, TheGeneratorTestsBlocksPass) {
    const BLOCKINFO blocks[] = {
        testblocks::SimulationBlock(),   testblocks::RealTimeBlock(),
        dsp_test::RealTimeBlock(),       dsp_test::XdaisBlock(),
        interface_test::GainBlock(),     interface_test::SimulationBlock(),
        interface_test::RealTimeBlock(),
    };
    for (const BLOCKINFO& block : blocks) {
        SCOPED_TRACE(block.BlockName);
        EXPECT_FALSE(HasErrors(CheckDefinition(block))) << Describe(CheckDefinition(block));
    }
}

TEST(DefinitionCheckTest, MissingStockFilesNameTheFileAndTheSetting) {
    TempDir working;
    BLOCKINFO block = Simulation();
    block.xDAIS = 1;
    WriteFileBytes(working.path() + "process.ico", "icon");
    const std::vector<Finding> findings = CheckStockFiles(block, working.path());
    ASSERT_EQ(findings.size(), 2u) << Describe(findings);
    EXPECT_EQ(findings[0].key, "Working Directory");
    EXPECT_NE(findings[0].message.find("\"process1.ico\""), std::string::npos);
    EXPECT_NE(findings[0].message.find("\"Working Directory\""), std::string::npos);
    EXPECT_NE(findings[1].message.find("\"xDAIS.bmp\""), std::string::npos);
    EXPECT_TRUE(CheckStockFiles(block, BLOCKWRIGHT_SOURCE_DIR "/assets/").empty());
}

// The DSP header declares persistent variables under their identifiers: the
// checker's rules for them agree with a C compiler (the host's standing in for
// the DSP's).
bool DspFilesCompile(const BLOCKINFO& block) {
    TempDir dir;
    const std::string base = dir.path() + "_" + block.BlockName;
    WriteFileBytes(base + ".c", Generate(WriteDspSource, block, "_" + block.BlockName + ".c"));
    WriteFileBytes(base + ".h", Generate(WriteDspHeader, block, "_" + block.BlockName + ".h"));
    const std::string command =
        "gcc -fsyntax-only -std=c99 -pedantic-errors "
        "-Wno-unknown-pragmas -x c '" +
        base + ".c' 2>/dev/null";
    return std::system(command.c_str()) == 0;
}

TEST(DefinitionCheckTest, DspNamesItPassesCompileAndThoseItRefusesDoNot) {
    if (std::system("gcc --version >/dev/null 2>&1") != 0) {
        BW_MISSING_TOOL("no host C compiler: install gcc");
    }
    for (const char* name : {"index", "pPtr", "NFEcho_INT", "row", "Changed", "BOOL", "min", "TRUE",
                             "PtrIn0", "int", "two words", "last-sample"}) {
        SCOPED_TRACE(name);
        BLOCKINFO block = RealTime();
        Persistant(block, 0).PersistantName = name;
        EXPECT_FALSE(HasErrors(CheckDefinition(block)));
        EXPECT_TRUE(DspFilesCompile(block));
    }
    for (const char* name : {"history", "Gain", "his tory"}) {
        SCOPED_TRACE(name);
        BLOCKINFO block = RealTime();
        Persistant(block, 0).PersistantName = name;
        EXPECT_TRUE(HasErrors(CheckDefinition(block)));
        EXPECT_FALSE(DspFilesCompile(block));
    }
}

// ---------------------------------------------------------------------------
// The template reader's notes.

std::vector<TemplateNote> NotesOf(const std::string& keys) {
    ProfileFile profile;
    profile.Parse("[Tessaline Blockwright]\r\n" + keys);
    BLOCKINFO block = NewBlock();
    RecordingPrompts prompts;
    EXPECT_TRUE(ReadTemplate(block, profile, prompts));
    return block.TemplateNotes;
}

TEST(TemplateNotesTest, CoercedValuesAreNotedWithTheirKeys) {
    const std::vector<TemplateNote> notes = NotesOf(
        "Inputs=abc\r\nParameters=500\r\nOutputs=-2\r\nBlock Type=FILTER\r\n"
        "Menu Name=" +
        std::string(300, 'm') + "\r\nChip=12x\r\n");
    std::vector<std::string> keys;
    for (const TemplateNote& note : notes) {
        keys.push_back(note.key);
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"Menu Name", "Inputs", "Outputs", "Parameters",
                                              "Block Type", "Chip"}));
    ASSERT_EQ(notes.size(), 6u);
    EXPECT_EQ(notes[1].message, "\"abc\" is not a number; it was read as 0.");
    EXPECT_EQ(notes[2].message, "-2 is outside 0 to 129; it was read as 0.");
    EXPECT_EQ(notes[3].message, "500 is outside 0 to 256; it was read as 256.");
    EXPECT_EQ(notes[4].message, "\"FILTER\" is not a block type; it was read as PROCESS.");
}

TEST(TemplateNotesTest, WhatTheWriterWritesIsReadWithoutNotes) {
    TempDir folder;
    BLOCKINFO block = Simulation();
    block.LongDescription = "two\r\nlines";
    ASSERT_TRUE(WriteTemplate(block, folder.path() + "Echo.TBT"));
    BLOCKINFO read = NewBlock();
    RecordingPrompts prompts;
    ASSERT_TRUE(ReadTemplate(read, folder.path() + "Echo.TBT", prompts));
    EXPECT_TRUE(read.TemplateNotes.empty()) << read.TemplateNotes.front().key;
    EXPECT_TRUE(NotesOf("Inputs= 3 \r\nBlock Type=PROCESS  (Block Type 2)\r\n").empty());
}

TEST(TemplateNotesTest, ResetForgetsTheNotes) {
    BLOCKINFO block = NewBlock();
    block.TemplateNotes.push_back({"Inputs", "x"});
    MemorySettings settings;
    block.Reset(settings, {"/blocks/", "/blocks/", "/blocks/"});
    EXPECT_TRUE(block.TemplateNotes.empty());
}

}  // namespace
}  // namespace bw
