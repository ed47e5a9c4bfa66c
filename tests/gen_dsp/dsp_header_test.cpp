#include <gtest/gtest.h>

#include "definition/profile_file.h"
#include "gen_dsp/dsp_files.h"
#include "gen_dsp/dsp_test_blocks.h"
#include "generation/paths.h"
#include "support/recording_prompts.h"

namespace bw {
namespace {

using namespace dsp_test;
using Strings = std::vector<std::string>;

const std::string MEMBER_STARS = "  /" + std::string(69, '*') + "/";

Strings HeaderLines(const BLOCKINFO& block) {
    return Lines(Generate(WriteDspHeader, block, "_" + block.BlockName + ".h"));
}

// Generates the header with dir as the application's settings directory, so
// that the "_rtparam.ini" record can be read afterwards.
std::string GenerateWithSettingsIn(const TempDir& dir, const BLOCKINFO& block) {
    FixedClock clock(std::tm{});
    RecordingPrompts prompts;
    MemorySettings settings;
    RunEnvironment environment;
    environment.prompts = &prompts;
    environment.clock = &clock;
    environment.settings = &settings;
    environment.settingsDirectory = dir.path();
    OutputFile file(environment);
    const std::string path = dir.path() + "DSPCODE/_" + block.BlockName + ".h";
    EXPECT_TRUE(file.Open(path));
    EXPECT_TRUE(WriteDspHeader(file, block));
    file.Close();
    return ReadFileBytes(path);
}

TEST(DspHeader, PlainBlockStructureOrderAndClosingRule) {
    BLOCKINFO block = RealTimeBlock();
    AddLocalArray(block, "delay line", "64");
    const Strings lines = HeaderLines(block);
    EXPECT_EQ(lines[9], "//    PURPOSE   : Provides the real-time block's DSP header file.");
    EXPECT_EQ(lines[19], "//" + std::string(74, '='));
    EXPECT_EQ(lines[20], "*/");
    const Strings structure = {
        "typedef struct",
        "{",
        MEMBER_STARS,
        "  /*                  Synchronization Addresses                        */",
        MEMBER_STARS,
        "  unsigned int *SyncIn;                  /* ptr to input sync value  */",
        "  unsigned int *SyncOut;                 /* ptr to output sync value */",
        "",
        MEMBER_STARS,
        "  /*                  Input Data Pointers / Framesizes                 */",
        MEMBER_STARS,
        "  float        *PtrIn0;                  /* input 0 data pointer */",
        "  unsigned int FramesizeIn0;             /* input 0 framesize */",
        "",
        MEMBER_STARS,
        "  /*                  Output Data Pointers / Framesize                 */",
        MEMBER_STARS,
        "  float        *PtrOut0;                 /* output 0 data pointer */",
        "  unsigned int FramesizeOut0;            /* output 0 framesize */",
        "",
        MEMBER_STARS,
        "  /*                   Internal Persistent Variables                   */",
        MEMBER_STARS,
        "  /* NOTE: If your block requires persistent variables, then they must */",
        "  /*       be put here.  DO NOT USE global variables or statics in the */",
        "  /*       C source file unless you really want them to be shared by   */",
        "  /*       all instances of this block.                                */",
        MEMBER_STARS,
        "  float        delay line[64];",
        "",
        "} PARAMS;",
    };
    EXPECT_EQ(LinesFrom(lines, "typedef struct", structure.size()), structure);
    EXPECT_FALSE(Has(lines, "#define HDT_INT    0"));
}

TEST(DspHeader, NativeBlockHasNoSyncAndNoFrameSizes) {
    BLOCKINFO block = RealTimeBlock();
    block.Native = 1;
    block.NumInputs = 2;
    Strings lines = HeaderLines(block);
    const long open = IndexOf(lines, "typedef struct");
    ASSERT_GE(open, 0);
    EXPECT_EQ(lines[static_cast<size_t>(open + 5)],
              "  float        *PtrIn0;                  /* input 0 data pointer */");
    EXPECT_EQ(lines[static_cast<size_t>(open + 6)],
              "  float        *PtrIn1;                  /* input 1 data pointer */");
    EXPECT_EQ(lines[static_cast<size_t>(open + 7)], "");
    for (const std::string& line : lines) {
        EXPECT_EQ(line.find("Sync"), std::string::npos) << line;
        EXPECT_EQ(line.find("unsigned int Framesize"), std::string::npos) << line;
    }
    block.NumInputs = 0;
    lines = HeaderLines(block);
    EXPECT_EQ(lines[static_cast<size_t>(IndexOf(lines, "typedef struct") + 5)],
              "  float        *PtrOut0;                 /* output 0 data pointer */");
}

TEST(DspHeader, MatrixBlockDeclaresHeadersAndPixelPointersAfterPersistentVariables) {
    BLOCKINFO block = RealTimeBlock();
    block.Matrix = 1;
    AddPersistant(block, "count", TYPE_INTEGER);
    AddLocalArray(block, "rows", "8");
    const Strings lines = HeaderLines(block);
    EXPECT_TRUE(
        Has(lines, "  LPMATRIXINFOHEADER PtrIn0;                  /* input 0 data pointer */"));
    EXPECT_TRUE(
        Has(lines, "  LPMATRIXINFOHEADER PtrOut0;                 /* output 0 data pointer */"));
    EXPECT_TRUE(Has(lines, "#define max(a,b) (((a) > (b)) ? (a) : (b))"));
    EXPECT_TRUE(Has(lines, "  int   miReserved1;    //           "));
    EXPECT_TRUE(Has(lines, "} MATRIXINFOHEADER, *LPMATRIXINFOHEADER;"));
    EXPECT_FALSE(Has(lines, "  int          Rows;"));  // the size comes from the inputs
    EXPECT_EQ(LinesFrom(lines, "  int          count;", 5),
              (Strings{"  int          count;",
                       "  float        *PtrPixelIn0;                  /* input 0 pixel data */",
                       "  float        *PtrPixelOut0;                 /* output 0 pixel data */",
                       "  float        rows[8];", ""}));

    block.NumInputs = 0;
    const Strings source = HeaderLines(block);
    EXPECT_LT(IndexOf(source, "  int          Rows;"), IndexOf(source, "  int          Columns;"));
    EXPECT_LT(IndexOf(source, "  int          Columns;"),
              IndexOf(source,
                      "  /*                   Internal Persistent Variables                   */"));
}

TEST(DspHeader, ParameterMembersInBothVariantsAndTheirRecordedOrder) {
    TempDir dir;
    const std::string ini = dir.path() + "_rtparam.ini";
    WriteFileBytes(ini, "[NFAdd]\r\n0=stale\r\n7=kept\r\n[Other]\r\n0=untouched\r\n");
    BLOCKINFO block = RealTimeBlock();
    AddParameter(block, "Gain", TYPE_FLOAT);
    AddParameter(block, "Name", TYPE_CHAR);
    AddParameter(block, "Mode", TYPE_COMBO_BOX);
    AddParameter(block, "Skipped", TYPE_EXCLUDED);
    AddParameter(block, "On", TYPE_CHECK_BOX);

    const Strings members = {
        MEMBER_STARS,
        "  /*                       Block Parameters                            */",
        MEMBER_STARS,
        "  float        _Gain;",
        "  int          _Mode;",
        "  BOOL         _On;",
        MEMBER_STARS,
    };
    Strings lines = Lines(GenerateWithSettingsIn(dir, block));
    EXPECT_EQ(LinesFrom(lines, members[1], members.size() - 1),
              Strings(members.begin() + 1, members.end()));

    const BLOCKINFO integer = IntegerVariant(block);
    lines = Lines(GenerateWithSettingsIn(dir, integer));
    EXPECT_TRUE(Has(lines, "  int          _Gain;"));

    ProfileFile profile;
    ASSERT_TRUE(profile.Load(ini));
    for (const char* section : {"NFAdd", "NIAdd"}) {
        EXPECT_EQ(profile.GetString(section, "0", ""), "_Gain") << section;
        EXPECT_EQ(profile.GetString(section, "1", ""), "_Mode") << section;
        EXPECT_EQ(profile.GetString(section, "2", ""), "_On") << section;
        EXPECT_EQ(profile.Find(section, "3"), nullptr) << section;
    }
    EXPECT_EQ(profile.GetString("NFAdd", "7", ""), "kept");
    EXPECT_EQ(profile.GetString("Other", "0", ""), "untouched");
}

TEST(DspHeader, NoParameterMemberLeavesTheRecordAlone) {
    TempDir dir;
    BLOCKINFO block = RealTimeBlock();
    AddParameter(block, "Name", TYPE_TEXT);
    const Strings lines = Lines(GenerateWithSettingsIn(dir, block));
    // The banner stays, as the block has parameters.
    EXPECT_TRUE(
        Has(lines, "  /*                       Block Parameters                            */"));
    EXPECT_FALSE(FileExists(dir.path() + "_rtparam.ini"));
}

TEST(DspHeader, PersistentVariablesByType) {
    BLOCKINFO block = RealTimeBlock();
    AddPersistant(block, "level", TYPE_DOUBLE);
    AddPersistant(block, "acc", TYPE_OTHER, "COMPLEX");
    AddPersistant(block, "letter", TYPE_CHAR);
    AddPersistant(block, "steps", TYPE_SHORT);
    AddPersistant(block, "note", TYPE_TEXT);
    AddLocalArray(block, "buffer", "16");
    const Strings lines = HeaderLines(IntegerVariant(block));
    const Strings expected = {
        MEMBER_STARS,
        "  float        level;",
        "COMPLEX acc;",
        "  int          steps;",
        "  int          buffer[16];",
        "",
        "} PARAMS;",
    };
    const long at = IndexOf(lines, "  float        level;");
    ASSERT_GT(at, 0);
    EXPECT_EQ(Strings(lines.begin() + at - 1,
                      lines.begin() + at - 1 + static_cast<long>(expected.size())),
              expected);
}

TEST(DspHeader, XdaisBlockIncludesTheAlgorithmAndCarriesTheHandle) {
    BLOCKINFO block = XdaisBlock();
    AddLocalArray(block, "taps", "32");
    const Strings lines = HeaderLines(block);
    EXPECT_EQ(LinesFrom(lines, "#include <std.h>", 3),
              (Strings{"#include <std.h>", "#include \"fir.h\"", "#include \"fir_ti.h\""}));
    EXPECT_TRUE(Has(lines, "  int          Changed; /* Please Don't Move or Remove !!  */"));
    EXPECT_TRUE(Has(lines, "  FIR_Handle  handle;"));
    EXPECT_FALSE(Has(lines, "  float        taps[32];"));
}

TEST(DspHeader, PrototypesArePaddedTo41UnlessLonger) {
    Strings lines = HeaderLines(RealTimeBlock());
    const Strings expected = {
        "void NFAdd_INT  (PARAMS *pPtr);          /* optional block interrupt routine */",
        "",
        "void NFAdd_INIT (PARAMS *pPtr);          /* optional block initialization routine */",
        "",
        "void NFAdd_STOP (PARAMS *pPtr);          /* optional block stop routine */",
        "",
        "void NFAdd_RESTART (PARAMS *pPtr);       /* optional block restart routine */",
        "",
        "void NFAdd(PARAMS *pPtr);                /* main block routine */",
        "",
    };
    EXPECT_EQ(LinesFrom(lines, expected[0], 100), expected);

    lines = HeaderLines(RealTimeBlock("NFLongBlockNam"));
    EXPECT_TRUE(Has(
        lines, "void NFLongBlockNam_RESTART (PARAMS *pPtr);/* optional block restart routine */"));
    EXPECT_TRUE(Has(
        lines, "void NFLongBlockNam_INT  (PARAMS *pPtr); /* optional block interrupt routine */"));
}

}  // namespace
}  // namespace bw
