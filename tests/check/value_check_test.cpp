// The checker over the values of a definition: a table of definitions, each
// one change of a valid block with a record of every type, with the finding
// it must give, and valid neighbours that must pass; and the lengths of the
// paths a block name makes, against given limits.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "check/definition_check.h"
#include "check/path_length_check.h"
#include "support/generate.h"
#include "support/records.h"

namespace bw {
namespace {

// Parameters 0 to 11 and persistent variables 0 to 7 in the order of the
// type codes' buttons, each with a default its type takes.
BLOCKINFO EveryType() {
    BLOCKINFO block = NewBlock();
    block.BlockName = "Values";
    AddParameter(block, "byte", TYPE_BYTE, "255");
    AddParameter(block, "float", TYPE_FLOAT, "1.5");
    AddParameter(block, "short", TYPE_SHORT, "-32768");
    AddParameter(block, "double", TYPE_DOUBLE, "1e-3");
    AddParameter(block, "integer", TYPE_INTEGER, "2147483647");
    AddParameter(block, "char", TYPE_CHAR, "x");
    AddParameter(block, "long", TYPE_LONG, "-2147483648");
    AddParameter(block, "text", TYPE_TEXT, "1,5");
    AddParameter(block, "combo", TYPE_COMBO_BOX, "Sine", {"Square", "Sine"});
    AddParameter(block, "radio", TYPE_RADIO_BUTTONS, "Fast", {"Slow", "Fast"});
    AddParameter(block, "file", TYPE_FILE_OPEN, "c:\\data\\taps.txt", {"Text|*.txt"});
    AddParameter(block, "check", TYPE_CHECK_BOX, "Unchecked");
    AddPersistant(block, "v byte", TYPE_BYTE, "0");
    AddPersistant(block, "v float", TYPE_FLOAT, "-3.4e38");
    AddPersistant(block, "v short", TYPE_SHORT, "32767");
    AddPersistant(block, "v double", TYPE_DOUBLE, "");
    AddPersistant(block, "v integer", TYPE_INTEGER, "-2147483648");
    AddPersistant(block, "v char", TYPE_CHAR, "\\n");
    AddPersistant(block, "v long", TYPE_LONG, "2147483647");
    AddPersistant(block, "v text", TYPE_TEXT, "say \"hi\"");
    return block;
}

PARAMINFO& Parameter(BLOCKINFO& block, int i) {
    return block.Parameters[static_cast<size_t>(i)];
}
PERSISTANTINFO& Persistant(BLOCKINFO& block, int i) {
    return block.Persistants[static_cast<size_t>(i)];
}

struct Row {
    const char* what;
    std::function<void(BLOCKINFO&)> change;
    const char* key;  // nullptr for a valid neighbour
    const char* says;
};

void SetParameter(BLOCKINFO& b, int i, const char* value) {
    Parameter(b, i).ParameterDefault = value;
}
void SetPersistant(BLOCKINFO& b, int i, const char* value) {
    Persistant(b, i).PersistantDefault = value;
}

const Row ROWS[] = {
    {"decimal comma in a Float default", [](BLOCKINFO& b) { SetParameter(b, 1, "1,5"); },
     "ParameterDefault1",
     "The default of the parameter \"float\": \"1,5\" is not a number: use a point, \"1.5\"."},
    {"decimal comma in a Double persistent variable",
     [](BLOCKINFO& b) { SetPersistant(b, 3, "1,5"); }, "PersistantDefault3",
     "The default of the persistent variable \"v double\": \"1,5\" is not a number: use a point"},
    {"letters for a Float", [](BLOCKINFO& b) { SetParameter(b, 1, "abc"); }, "ParameterDefault1",
     "\"abc\" is not a number"},
    {"Byte beyond its top", [](BLOCKINFO& b) { SetParameter(b, 0, "256"); }, "ParameterDefault0",
     "outside the range of the type Byte, 0 to 255"},
    {"Byte below its bottom", [](BLOCKINFO& b) { SetPersistant(b, 0, "-1"); }, "PersistantDefault0",
     "outside the range of the type Byte"},
    {"Short below its bottom", [](BLOCKINFO& b) { SetParameter(b, 2, "-32769"); },
     "ParameterDefault2", "outside the range of the type Short"},
    {"Short beyond its top", [](BLOCKINFO& b) { SetPersistant(b, 2, "32768"); },
     "PersistantDefault2", "outside the range of the type Short"},
    {"Integer beyond its top", [](BLOCKINFO& b) { SetParameter(b, 4, "2147483648"); },
     "ParameterDefault4", "outside the range of the type Integer"},
    {"Long below its bottom", [](BLOCKINFO& b) { SetParameter(b, 6, "-2147483649"); },
     "ParameterDefault6", "outside the range of the type Long"},
    {"fraction for an Integer", [](BLOCKINFO& b) { SetPersistant(b, 4, "2.5"); },
     "PersistantDefault4", "not a whole number"},
    {"Float beyond its range", [](BLOCKINFO& b) { SetPersistant(b, 1, "-3.5e38"); },
     "PersistantDefault1", "beyond the range of the type Floating Point"},
    {"Double beyond its range", [](BLOCKINFO& b) { SetParameter(b, 3, "1e309"); },
     "ParameterDefault3", "beyond the range of the type Double Floating Point"},
    {"two characters for a Char", [](BLOCKINFO& b) { SetParameter(b, 5, "xy"); },
     "ParameterDefault5", "more than one character"},
    {"a letter of two bytes for a Char", [](BLOCKINFO& b) { SetPersistant(b, 5, "\xC3\xA9"); },
     "PersistantDefault5", "takes 2 bytes"},
    {"combo default not among its items", [](BLOCKINFO& b) { SetParameter(b, 8, "sine"); },
     "ParameterDefault8", "\"sine\" is not among the items \"Square\" and \"Sine\""},
    {"radio default not among its items", [](BLOCKINFO& b) { SetParameter(b, 9, "Medium"); },
     "ParameterDefault9", "not among the items"},
    {"one radio item, a Yes/No pair",
     [](BLOCKINFO& b) { Parameter(b, 9).ParameterItems = {"Fast"}; }, "ParameterDefault9",
     "neither \"Yes\" nor \"No\""},
    {"check box default neither checked nor not", [](BLOCKINFO& b) { SetParameter(b, 11, "0"); },
     "ParameterDefault11", "neither \"Checked\" nor \"Unchecked\""},
    {"filter caption holding a bar",
     [](BLOCKINFO& b) { Parameter(b, 10).ParameterItems = {"Caption|Pipe|*.a|*.b"}; },
     "ParameterItems10-0", "more than one \"|\""},
    {"filter item without a filter",
     [](BLOCKINFO& b) {
         Parameter(b, 10).ParameterItems = {"Text|*.txt", "Text Files"};
     },
     "ParameterItems10-1", "has no \"|\""},
    {"local array size beyond what a long holds",
     [](BLOCKINFO& b) {
         b.LocalArrays[0].LocalSize = "99999999999";
         b.NumLocalArrays = 1;
     },
     "LocalSize0", "outside 1 to 2147483647 elements"},

    // Valid neighbours: the range ends themselves, blanks and the C forms
    // the generated code writes as they are.
    {"the other range ends",
     [](BLOCKINFO& b) {
         SetParameter(b, 0, "0");
         SetParameter(b, 2, "32767");
         SetParameter(b, 4, "-2147483648");
         SetParameter(b, 6, "2147483647");
         SetPersistant(b, 0, "0xff");
         SetPersistant(b, 2, "-32768");
     },
     nullptr, nullptr},
    {"floating forms C reads",
     [](BLOCKINFO& b) {
         SetParameter(b, 1, "3.4028234e38");
         SetParameter(b, 3, "-1.7976931348623157e308");
         SetPersistant(b, 1, ".5");
         SetPersistant(b, 3, "08.25e+2");
     },
     nullptr, nullptr},
    {"blank numbers, written as 0",
     [](BLOCKINFO& b) {
         SetParameter(b, 1, "");
         SetPersistant(b, 4, " ");
     },
     nullptr, nullptr},
    {"escapes and quotes for a Char",
     [](BLOCKINFO& b) {
         SetParameter(b, 5, "\\x41");
         SetPersistant(b, 5, "'");
     },
     nullptr, nullptr},
    {"item defaults left blank, and a Yes/No pair in any case",
     [](BLOCKINFO& b) {
         SetParameter(b, 8, "");
         Parameter(b, 9).ParameterItems.clear();
         SetParameter(b, 9, "no");
         SetParameter(b, 11, "checked");
     },
     nullptr, nullptr},
    {"an excluded parameter keeps any default",
     [](BLOCKINFO& b) {
         Parameter(b, 1).ParameterType = TYPE_EXCLUDED;
         SetParameter(b, 1, "1,5");
     },
     nullptr, nullptr},
    {"a record beyond the count keeps any default",
     [](BLOCKINFO& b) { Parameter(b, b.NumParameters).ParameterDefault = "1,5"; }, nullptr,
     nullptr},
};

std::string Describe(const std::vector<Finding>& findings) {
    std::string text;
    for (const Finding& finding : findings) {
        text += "\n  " + finding.key + ": " + finding.message;
    }
    return text;
}

TEST(ValueCheckTest, EachChangedValueGivesItsFindingAndValidNeighboursNone) {
    EXPECT_TRUE(CheckDefinition(EveryType()).empty()) << Describe(CheckDefinition(EveryType()));
    for (const Row& row : ROWS) {
        SCOPED_TRACE(row.what);
        BLOCKINFO block = EveryType();
        row.change(block);
        const std::vector<Finding> findings = CheckDefinition(block);
        if (row.key == nullptr) {
            EXPECT_TRUE(findings.empty()) << Describe(findings);
            continue;
        }
        ASSERT_EQ(findings.size(), 1u) << Describe(findings);
        EXPECT_EQ(findings[0].severity, Severity::Error);
        EXPECT_EQ(findings[0].key, row.key);
        EXPECT_NE(findings[0].message.find(row.says), std::string::npos) << findings[0].message;
    }
}

TEST(ValueCheckTest, AValueFindingConcernsItsRecordsPage) {
    BLOCKINFO block = EveryType();
    SetPersistant(block, 6, "1,5");
    const std::vector<Finding> findings = CheckDefinition(block);
    ASSERT_EQ(findings.size(), 1u) << Describe(findings);
    EXPECT_EQ(findings[0].page, DefinitionPage::Persistants);
    EXPECT_EQ(findings[0].record, 6);
    EXPECT_EQ(FirstErrorOn(findings, DefinitionPage::Parameters), nullptr);
}

// ---------------------------------------------------------------------------
// Path lengths.

BLOCKINFO Named(const std::string& name) {
    BLOCKINFO block = EveryType();
    block.BlockName = name;
    return block;
}

const PathLimits WINDOWS_LIMITS{259, 247, 255};
// Room for any path, so that only a name can be too long.
const PathLimits LONG_PATHS{4095, 4095, 255};

TEST(PathLengthCheckTest, ABlockNameThatMakesAFileNameTooLongIsRefusedNamingTheLimit) {
    const std::string folder = "/b/";
    // The longest name is the header's kept sections in KRSave: the name,
    // ".h" and ".yyyymmdd-hhmmss-nn.orphaned", 30 more than the block name.
    EXPECT_TRUE(CheckPathLengths(Named("N" + std::string(224, 'x')), folder, LONG_PATHS).empty());
    const std::vector<Finding> findings =
        CheckPathLengths(Named("N" + std::string(225, 'x')), folder, LONG_PATHS);
    ASSERT_EQ(findings.size(), 1u) << Describe(findings);
    EXPECT_EQ(findings[0].key, "Block Name");
    EXPECT_EQ(findings[0].page, DefinitionPage::Files);
    EXPECT_NE(findings[0].message.find("256 characters long, and this system takes at most 255 "
                                       "characters in a file name"),
              std::string::npos)
        << findings[0].message;
}

TEST(PathLengthCheckTest, AFolderAndNameTogetherTooLongAreRefusedNamingThePathLimit) {
    const std::string folder = "/" + std::string(150, 'f') + "/";  // 152 characters
    // The longest path: "KRSave\<name>.h.yyyymmdd-hhmmss-nn.orphaned", 37 more
    // than the name; the folder leaves 107 for it.
    EXPECT_TRUE(CheckPathLengths(Named(std::string(70, 'n')), folder, WINDOWS_LIMITS).empty());
    const std::vector<Finding> findings =
        CheckPathLengths(Named(std::string(71, 'n')), folder, WINDOWS_LIMITS);
    ASSERT_EQ(findings.size(), 1u) << Describe(findings);
    EXPECT_EQ(findings[0].key, "Block Name");
    EXPECT_NE(findings[0].message.find("260 characters long, and this system takes at most 259 "
                                       "characters in a path to a file"),
              std::string::npos)
        << findings[0].message;
}

TEST(PathLengthCheckTest, TheAlgorithmNameIsBlamedForTheFilesOnlyItNames) {
    BLOCKINFO block = Named("Echo");
    block.RealTime = 1;
    block.xDAIS = 1;
    block.AlgorithmName = std::string(255, 'a');
    block.VendorName = "tl";
    const std::vector<Finding> findings = CheckPathLengths(block, "/b/", LONG_PATHS);
    ASSERT_FALSE(findings.empty());
    EXPECT_EQ(findings[0].key, "Algorithm Name");
    EXPECT_EQ(findings[0].page, DefinitionPage::Data);
}

TEST(PathLengthCheckTest, AFolderTooLongItselfIsNamed) {
    const std::string folder = "/" + std::string(250, 'f') + "/";
    const std::vector<Finding> findings = CheckPathLengths(Named("Echo"), folder, WINDOWS_LIMITS);
    ASSERT_EQ(findings.size(), 1u) << Describe(findings);
    EXPECT_EQ(findings[0].key, "Directory");
    EXPECT_NE(findings[0].message.find("at most 247 characters in a path to a folder"),
              std::string::npos)
        << findings[0].message;
}

// On this system: a name beyond what its file system takes in one name is
// refused by the checker itself, before a run would fail on it.
TEST(PathLengthCheckTest, TheCheckerAsksThisSystemsLimits) {
    TempDir folder;
    BLOCKINFO block = Named("N" + std::string(PathLimitsAt(folder.path()).name, 'x'));
    block.Directory = folder.path();
    const std::vector<Finding> findings = CheckDefinition(block);
    ASSERT_FALSE(findings.empty());
    EXPECT_EQ(findings[0].key, "Block Name");
    EXPECT_NE(findings[0].message.find("in a file name"), std::string::npos) << findings[0].message;
}

}  // namespace
}  // namespace bw
