#include "definition/template_file.h"

#include <gtest/gtest.h>

#include "support/generate.h"
#include "support/recording_prompts.h"

namespace bw {
namespace {

// Every stored field set to something other than its default, every pool full.
BLOCKINFO FullBlock() {
    BLOCKINFO b = NewBlock();
    RecordingPrompts prompts;
    b.RealTime = b.UserControl = b.Matrix = b.Square = b.Character = b.Q = b.Image = 1;
    b.Bitmap = b.Native = b.xDAIS = b.ShortInteger = b.LongInteger = b.Double = 1;
    b.Byte = 0;
    b.QLevel = 7;
    b.LibraryName = "Filters";
    b.BlockName = "NFAdd";
    b.MenuName = "Adder";
    b.GroupName = "Math";
    b.Directory = "c:\\blocks\\NFAdd\\";
    b.LibraryPath = "c:\\lib";
    b.IncludePath = "c:\\inc";
    b.ShortDescription = "adds";
    b.LongDescription = "line one\r\nline two";
    b.HelpFilename = "add.hlp";
    b.IconFilename = "add.ico";
    b.Revision = "5.10";
    b.CompanyName = "Acme";
    b.AlgorithmName = "FIR";
    b.VendorName = "TI";
    b.WarningType = 3;
    b.Chip = 5500;
    b.MemoryModel = b.Endian = 1;
    b.NumInputs = b.NumOutputs = MAX_CHANNELS;
    for (int i = 0; i < MAX_CHANNELS; ++i) {
        b.InputChannelLabel[i] = "x" + std::to_string(i);
        b.InputChannelDimension[i] = i + 2;
        b.OutputChannelLabel[i] = "y" + std::to_string(i);
        b.OutputChannelDimension[i] = i + 3;
    }
    for (int i = 0; i < MAX_PARAMETERS; ++i) {
        b.AddParameter(prompts);
        PARAMINFO& p = b.Parameters[i];
        p.ParameterType = i % 2 ? TYPE_COMBO_BOX : TYPE_DOUBLE;
        p.ParameterTypeCustom = "custom";
        p.ParameterItems = {"a" + std::to_string(i), "b"};
        p.ParameterDesc = "first\r\nsecond";
        p.ParameterDefault = "1.5";
        p.ParameterConst = i % 3;
        p.ParameterReadWrite = p.ParameterSign = 0;
    }
    for (int i = 0; i < MAX_PERSISTANTS; ++i) {
        b.AddPersistant(prompts);
        b.Persistants[i] = {"V" + std::to_string(i), i % 2 ? TYPE_OTHER : TYPE_TEXT,
                            i % 2 ? "MYTYPE" : "", "hello"};
    }
    for (int i = 0; i < MAX_LOCAL_ARRAYS; ++i) {
        b.AddLocalArray(prompts);
        b.LocalArrays[i].LocalPrecision = TYPE_SHORT;
        b.LocalArrays[i].LocalPrecisionCustom = "short16";
        b.LocalArrays[i].LocalSize = "Parameter1*2";
        b.LocalArrays[i].LocalAlignment = 8;
    }
    b.Prototypes = {{"Run", "int", {"in", "out"}, {"short *", "short *"}},
                    {"Reset", "void", {}, {}}};
    return b;
}

// Whatever is written is read back: the template of what was read is the same
// file, byte for byte.
TEST(TemplateFile, WhatIsWrittenIsReadBack) {
    TempDir dir;
    RecordingPrompts prompts;
    ASSERT_TRUE(WriteTemplate(FullBlock(), dir.path() + "a.tbt"));
    BLOCKINFO read = NewBlock();
    ASSERT_TRUE(ReadTemplate(read, dir.path() + "a.tbt", prompts));
    ASSERT_TRUE(WriteTemplate(read, dir.path() + "b.tbt"));
    EXPECT_EQ(ReadFileBytes(dir.path() + "a.tbt"), ReadFileBytes(dir.path() + "b.tbt"));
    EXPECT_EQ(read.LongDescription, "line one\r\nline two");
    EXPECT_EQ(read.Parameters[255].ParameterItems, (std::vector<std::string>{"a255", "b"}));
    EXPECT_EQ(read.Parameters[7].ParameterDesc, "first\r\nsecond");
    EXPECT_EQ(read.OutputChannelDimension[128], 131);
    EXPECT_EQ(read.LocalArrays[9].LocalSizeIsExpression, 1);
    EXPECT_EQ(read.Prototypes[0].ParamTypes[1], "short *");
    EXPECT_TRUE(prompts.messages.empty());
}

TEST(TemplateFile, WritingReplacesItsSectionDropsFilesAndKeepsOthers) {
    TempDir dir;
    const std::string path = dir.path() + "t.tbt";
    WriteFileBytes(path,
                   "[Notes]\r\nmine=1\r\n[Files]\r\nf=1\r\n[Tessaline Blockwright]\r\n"
                   "ParameterName9=gone\r\n");
    BLOCKINFO block = NewBlock();
    block.BlockName = "X";
    ASSERT_TRUE(WriteTemplate(block, path));
    const std::string text = ReadFileBytes(path);
    EXPECT_EQ(text.rfind("[Notes]\r\nmine=1\r\n[Tessaline Blockwright]\r\nReal Time=0\r\n", 0), 0u);
    EXPECT_EQ(text.find("[Files]"), std::string::npos);
    EXPECT_EQ(text.find("gone"), std::string::npos);
    EXPECT_NE(text.find("\r\nLong Description=\r\nInputs=1\r\nOutputs=1\r\n"), std::string::npos);
}

BLOCKINFO ReadText(const std::string& text, RecordingPrompts& prompts, bool* ok = nullptr) {
    TempDir dir;
    WriteFileBytes(dir.path() + "t.tbt", text);
    BLOCKINFO block = NewBlock();
    const bool read = ReadTemplate(block, dir.path() + "t.tbt", prompts);
    if (ok) {
        *ok = read;
    }
    return block;
}

TEST(TemplateFile, ReadingRulesForOtherSectionNamesTypeCodesAndIncompleteTemplates) {
    RecordingPrompts prompts;
    bool ok = false;
    BLOCKINFO b = ReadText(
        "[Tessaline Blockwright 4.0]\r\nReal=0\r\nComplex=0\r\nParameters=3\r\n"
        "ParameterType2=517\r\nParameterType0=516\r\nParameterType1=518\r\n"
        "Local Arrays=1\r\nLocalPrecision0=518\r\nLocalMemSpace0=9\r\nAlignment=4\r\n"
        "Long Description=a|b\r\nInputs=0\r\nBlock Type=INPUT       (Block Type 1)\r\n",
        prompts, &ok);
    ASSERT_TRUE(ok);
    EXPECT_TRUE(b.Real && b.Complex);
    EXPECT_TRUE(b.Integer && b.FloatingPoint);
    EXPECT_FALSE(b.Double);
    EXPECT_EQ(b.Parameters[0].ParameterType, TYPE_INTEGER);
    EXPECT_EQ(b.Parameters[1].ParameterType, TYPE_TEXT);
    EXPECT_EQ(b.Parameters[2].ParameterType, TYPE_DOUBLE);
    EXPECT_EQ(b.LocalArrays[0].LocalPrecision, TYPE_TEXT);
    EXPECT_EQ(b.LocalArrays[0].LocalMemSpace, 0);
    EXPECT_EQ(b.LocalArrays[0].LocalAlignment, 1);
    EXPECT_EQ(b.Alignment, 0);
    EXPECT_EQ(b.LongDescription, "a\r\nb");
    EXPECT_EQ(b.BlockType, BLOCK_INPUT);
    EXPECT_EQ(b.Parameters[2].ParameterReadWrite, 1);  // absent keys keep their defaults
    EXPECT_EQ(b.Chip, 6200);
    EXPECT_TRUE(prompts.messages.empty());

    EXPECT_EQ(ReadText("[MV Windows Application]\r\nMatrix=1\r\nReal Time=1\r\n"
                       "Block Type=OUTPUT    (Block Type 3)\r\n",
                       prompts)
                  .BlockType,
              BLOCK_OUTPUT);
    BLOCKINFO rt = ReadText(
        "[Tessaline for Windows Blockwright]\r\nMatrix=1\r\nReal Time=1\r\n"
        "Block Type=CONTROL  (Block Type 7)\r\n",
        prompts);
    EXPECT_EQ(rt.BlockType, BLOCK_CONTROL);
    EXPECT_EQ(rt.LibraryName, "Real-time Library");
    EXPECT_FALSE(rt.Integer);
    EXPECT_EQ(ReadText("[Tessaline Blockwright]\r\nBlock Type=PROCESS  (Block Type 2)\r\n", prompts)
                  .BlockType,
              BLOCK_PROCESS);
}

TEST(TemplateFile, WithoutAnAcceptedSectionNothingChanges) {
    for (const std::string& text :
         {std::string(""), std::string("[Other]\r\nBlock Name=x\r\n"),
          std::string("[Tessaline Blockwright]\r\n"), std::string("\x00\xff\x7f[\x01", 5)}) {
        RecordingPrompts prompts;
        bool ok = true;
        const BLOCKINFO b = ReadText(text, prompts, &ok);
        EXPECT_FALSE(ok);
        EXPECT_EQ(b.NumInputs, 1);
        EXPECT_EQ(b.LibraryName, "Simulation Library");
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_EQ(prompts.messages[0], INVALID_TEMPLATE_MESSAGE);
    }
    RecordingPrompts prompts;
    BLOCKINFO b = NewBlock();
    EXPECT_FALSE(ReadTemplate(b, "/no/such/file.tbt", prompts));
}

TEST(TemplateFile, HostileCountsAndTextsAreBounded) {
    RecordingPrompts prompts;
    const std::string longText(1000, 'x');
    BLOCKINFO b = ReadText(
        "[Tessaline Blockwright]\r\nParameters=99999\r\nInputs=-4\r\n"
        "Outputs=100000000000\r\nLocal Arrays=11\r\nPersistantVars=-1\r\n"
        "ParameterItems0=2147483647\r\nNumPrototypes=99999999\r\n"
        "Prototype 1 NumParams=1000000\r\nBlock Name=" +
            longText + "\r\n",
        prompts);
    EXPECT_EQ(b.NumParameters, MAX_PARAMETERS);
    EXPECT_EQ(b.NumInputs, 0);
    EXPECT_EQ(b.NumOutputs, MAX_CHANNELS);
    EXPECT_EQ(b.NumLocalArrays, MAX_LOCAL_ARRAYS);
    EXPECT_EQ(b.NumPersistants, 0);
    EXPECT_LE(b.Parameters[0].ParameterItems.size(), 256u);
    EXPECT_LE(b.Prototypes.size(), 256u);
    EXPECT_LE(b.Prototypes[0].ParamNames.size(), 64u);
    EXPECT_EQ(b.BlockName.size(), 259u);
}

}  // namespace
}  // namespace bw
