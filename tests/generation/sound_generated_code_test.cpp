// Generated lines that compiled before but were unsafe, or that broke for
// definitions the pools allow: each rule here is checked on the text itself,
// so the fault shows without a cross compiler.
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "gen_component/component_files.h"
#include "gen_dsp/dsp_files.h"
#include "gen_interface/interface_source.h"
#include "generation/names_and_literals.h"
#include "support/generate.h"
#include "support/records.h"

namespace bw {
namespace {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The numbers the resource header gives the dialog's controls, by name; a
// number given twice fails. (Dialogs and bitmaps are numbered apart.)
std::map<std::string, int> ControlNumbers(const BLOCKINFO& block) {
    static const std::regex DEFINE("#define (IDC_\\w+|IDBROWSE\\w+) +(\\d+)");
    std::map<std::string, int> numbers;
    std::map<int, std::string> owners;
    for (const std::string& line : Lines(Generate(WriteResourceHeader, block, "hresourc.h"))) {
        std::smatch match;
        if (std::regex_search(line, match, DEFINE)) {
            const int number = std::stoi(match[2]);
            const auto [owner, fresh] = owners.emplace(number, match[1]);
            EXPECT_TRUE(fresh) << match[1] << " and " << owner->second << " are both " << number;
            numbers[match[1]] = number;
        }
    }
    return numbers;
}

TEST(ControlNumbers, FullPoolsGiveEveryControlItsOwnNumber) {
    BLOCKINFO edits = NewBlock();
    for (int p = 0; p < MAX_PARAMETERS; ++p) {
        AddParameter(edits, "File " + std::to_string(p), TYPE_FILE_OPEN);
    }
    const auto files = ControlNumbers(edits);
    EXPECT_EQ(files.at("IDC_EDIT_FILE0"), 201);  // the ranges keep their starts
    EXPECT_EQ(files.at("IDC_STRING_FILE0"), 51);
    EXPECT_EQ(files.at("IDBROWSE_FILE0"), 604);

    BLOCKINFO controls = NewBlock();
    controls.UserControl = 1;
    for (int p = 0; p < MAX_PARAMETERS; ++p) {
        const int type =
            p % 3 == 0 ? TYPE_RADIO_BUTTONS : (p % 3 == 1 ? TYPE_COMBO_BOX : TYPE_CHECK_BOX);
        AddParameter(controls, "Choice " + std::to_string(p), type).ParameterItems = {"a", "b",
                                                                                      "c"};
    }
    const auto choices = ControlNumbers(controls);
    EXPECT_EQ(choices.at("IDC_BUTTON1"), 601);
}

// The dialog checks a radio button by the span of its group's numbers, so a
// group the radio range cannot hold whole goes beyond every range whole.
TEST(ControlNumbers, ARadioGroupIsOneSpanOfNumbers) {
    BLOCKINFO block = NewBlock();
    PARAMINFO& first = AddParameter(block, "First", TYPE_RADIO_BUTTONS);
    PARAMINFO& second = AddParameter(block, "Second", TYPE_RADIO_BUTTONS);
    for (int item = 0; item < 60; ++item) {
        first.ParameterItems.push_back("a" + std::to_string(item));
        second.ParameterItems.push_back("b" + std::to_string(item));
    }
    AddParameter(block, "Flag", TYPE_CHECK_BOX);
    const auto numbers = ControlNumbers(block);
    EXPECT_EQ(numbers.at("IDC_RADIO_FIRST_A0"), 302);
    for (const char* group : {"IDC_RADIO_FIRST_A", "IDC_RADIO_SECOND_B"}) {
        const int low = numbers.at(group + std::string("0"));
        const int high = numbers.at(group + std::string("59"));
        EXPECT_EQ(high - low, 59) << group;
        for (const auto& [name, number] : numbers) {
            EXPECT_FALSE(number >= low && number <= high && name.rfind(group, 0) != 0)
                << name << " lies between the buttons of " << group;
        }
    }
}

TEST(ControlNumbers, OnlyTheFirstSampleRateIsTheHostsSampleFrequency) {
    BLOCKINFO block = NewBlock();
    AddParameter(block, "Sample Rate", TYPE_DOUBLE);
    AddParameter(block, "Sample Freq", TYPE_DOUBLE);
    const std::string header = Generate(WriteResourceHeader, block, "hresourc.h");
    EXPECT_TRUE(Contains(header, "#define IDC_EDIT_SAMPLERATE"));
    const std::string first = header.substr(header.find("#define IDC_EDIT_SAMPLERATE"));
    EXPECT_TRUE(Contains(first.substr(0, first.find('\r')), "IDC_SAMPFREQ"));
    const std::string second = header.substr(header.find("#define IDC_EDIT_SAMPLEFREQ"));
    EXPECT_EQ(second.substr(0, second.find('\r')).find("IDC_SAMPFREQ"), std::string::npos);
}

TEST(ResourceScript, IconNamesWithBlanksAreQuoted) {
    BLOCKINFO block = NewBlock();
    block.IconFilename = "My Icon";
    const std::string script = Generate(WriteResourceScript, block, "Gain.rc");
    EXPECT_TRUE(Contains(script, "UserIcon    ICON \"My Icon.ico\"\r\n"));
    EXPECT_TRUE(Contains(script, "UserIcon3d  ICON \"My Icon1.ico\"\r\n"));
    block.IconFilename = "Gain";
    EXPECT_TRUE(Contains(Generate(WriteResourceScript, block, "Gain.rc"), "ICON Gain.ico\r\n"));
}

TEST(GeneratedIncludes, TheBlocksOwnHeaderIsNamedWithItsCase) {
    BLOCKINFO block = NewBlock();
    block.BlockName = "MyGain";
    EXPECT_TRUE(
        Contains(Generate(WriteResourceScript, block, "MyGain.rc"), "#include \"MyGain.h\"\r\n"));
    EXPECT_TRUE(
        Contains(Generate(WriteUserSource, block, "MyGain.c"), "#include \"MyGain.h\"\r\n"));
    block.RealTime = 1;
    EXPECT_TRUE(
        Contains(Generate(WriteDspSource, block, "_MyGain.c"), "#include \"_MyGain.h\"\r\n"));
}

TEST(IntegerName, DiffersFromTheFloatNameAlsoWithoutRegardToCase) {
    EXPECT_EQ(IntegerName("NFAdd"), "NIAdd");  // the second letter made "I"
    EXPECT_EQ(IntegerName("x"), "xi");
    for (const char* name : {"TitleBeta", "TItle", "Mixer", "Ai"}) {
        const std::string integer = IntegerName(name);
        EXPECT_NE(LowerCase(integer), LowerCase(name)) << name;
        EXPECT_EQ(integer.substr(0, 2), std::string(1, name[0]) + "I") << name;
    }
}

TEST(InterfaceSource, DriverLinesAreBoundedAndHelpHasItsHeader) {
    BLOCKINFO block = NewBlock();
    block.RealTime = 1;
    AddParameter(block, "Gain", TYPE_FLOAT);
    const std::string source = Generate(WriteInterfaceSource, block, "IFGain.c");
    EXPECT_TRUE(Contains(source, "#include <ctype.h>\r\n"));  // isalnum in the help case
    EXPECT_TRUE(Contains(source, "isalnum("));
    // The ini file name is formatted from a buffer of its own.
    EXPECT_TRUE(Contains(source, "wsprintf(IniFilename,\"%s\\\\%s\\\\%s.ini\",WorkingDir,"));
    EXPECT_FALSE(Contains(source, ".ini\",IniFilename,"));
    // Driver names go into 16-byte buffers: every copy is bounded.
    static const std::regex UNBOUNDED("lstrcpy\\((Old)?Driver\\w*|lstrcpy\\(pPtr->DriverName");
    EXPECT_FALSE(std::regex_search(source, UNBOUNDED));
    EXPECT_TRUE(
        Contains(source, "lstrcpyn(DriverBasename,pPtr->DriverName,sizeof(DriverBasename));"));
}

// The first line holding part, or empty.
std::string LineWith(const std::vector<std::string>& lines, const std::string& part) {
    for (const std::string& line : lines) {
        if (Contains(line, part)) {
            return line;
        }
    }
    return {};
}

// The line after the first one holding part, or empty.
std::string LineAfter(const std::vector<std::string>& lines, const std::string& part) {
    for (size_t n = 0; n + 1 < lines.size(); ++n) {
        if (Contains(lines[n], part)) {
            return lines[n + 1];
        }
    }
    return {};
}

// The driver name's buffer holds 16 characters and the ini file name 256;
// every text that reaches them is bounded to what fits, the help file names
// are as large as what is put together in them.
TEST(InterfaceSource, FixedBuffersReceiveOnlyWhatFits) {
    for (int native : {0, 1}) {
        BLOCKINFO block = NewBlock();
        block.RealTime = 1;
        block.Native = native;
        const std::string source = Generate(WriteInterfaceSource, block, "IFGain.c");
        const std::vector<std::string> lines = Lines(source);
        // The list box's text is fetched only when it fits.
        EXPECT_TRUE(Contains(
            LineAfter(lines, "CB_GETLBTEXTLEN,index,0) < (LRESULT)sizeof(pPtr->DriverName))"),
            "CB_GETLBTEXT,index,(LPARAM)(LPCSTR)pPtr->DriverName"));
        // The host's entry is read with room for the extension appended to it.
        EXPECT_TRUE(Contains(LineAfter(lines, "sizeof(pPtr->DriverName)-4, \"RIZEZERI.INI\");"),
                             "lstrcat(pPtr->DriverName,\".drv\");"));
        // The worksheet's entry goes through a text-sized buffer.
        EXPECT_FALSE(Contains(
            source, "LoadParamStr(WorksheetSection, \"DriverName\", -1, \"\", pPtr->DriverName"));
        EXPECT_TRUE(Contains(LineAfter(lines, "DriverText, WorksheetName);"),
                             "lstrcpyn(pPtr->DriverName,DriverText,sizeof(pPtr->DriverName));"));
        // "<dir>\\<base>\\<base>.ini" fits the ini file name: the directory is
        // read short enough.
        static const std::regex DIRECTORY_READ(
            "WorkingDir,sizeof\\(IniFilename\\)-2\\*sizeof\\(DriverBasename\\)-(\\d+),");
        int reads = 0;
        for (auto it = std::sregex_iterator(source.begin(), source.end(), DIRECTORY_READ);
             it != std::sregex_iterator(); ++it, ++reads) {
            const int directory = 256 - 2 * 16 - std::stoi((*it)[1]) - 1;
            EXPECT_LE(directory + 1 + 15 + 1 + 15 + 4 + 1, 256);
        }
        EXPECT_EQ(reads, native ? 1 : 2);
        EXPECT_FALSE(Contains(source, "(LPSTR)WorkingDir,sizeof(WorkingDir)"));
        for (const char* buffer : {"char HelpFileName[", "char chmTopic["}) {
            EXPECT_TRUE(Contains(LineWith(lines, buffer), "sizeof(MNAME)")) << buffer;
        }
        // The DSP block's name goes into a field of the host's.
        EXPECT_FALSE(Contains(source, "lstrcpy(bPtr->BlockName"));
        EXPECT_TRUE(Contains(source, "lstrcpyn(bPtr->BlockName,BFNAME,sizeof(bPtr->BlockName));"));
    }
    // A persistent text's default, however long, is cut to its member.
    BLOCKINFO block = NewBlock();
    block.NumPersistants = 1;
    block.Persistants[0] = {"notes", TYPE_TEXT, "", std::string(300, 'x')};
    const std::string source = Generate(WriteInterfaceSource, block, "IFGain.c");
    EXPECT_TRUE(Contains(source, "    lstrcpyn(pPtr->" + Identifier("notes", 0) + ", \"" +
                                     std::string(300, 'x') + "\", TEXT_LENGTH);\r\n"));
}

TEST(InterfaceSource, NativeDriverCallsPassTheirResourceWordAsAHandle) {
    BLOCKINFO block = NewBlock();
    block.RealTime = 1;
    block.Native = 1;
    const std::string source = Generate(WriteInterfaceSource, block, "IFGain.c");
    EXPECT_TRUE(Contains(source, "DRV_LOADBLOCK, (HWND)(LONG)*lpResource, (LONG)sPtr->hRTParam)"));
    EXPECT_FALSE(Contains(source, "(long)*lpResource"));
}

TEST(DspHeader, NamesTheMembersAsTheSourceAndTheHostDo) {
    BLOCKINFO block = NewBlock();
    block.RealTime = 1;
    block.Matrix = 1;
    block.NumPersistants = 1;
    block.Persistants[0] = {"acc-1", TYPE_FLOAT, "", "0"};
    block.NumLocalArrays = 1;
    block.LocalArrays[0].ArrayName = "delay line";
    block.LocalArrays[0].LocalSize = "64";
    const std::string header = Generate(WriteDspHeader, block, "_Gain.h");
    EXPECT_TRUE(Contains(header, " " + Identifier("acc-1", 0) + ";\r\n"));
    EXPECT_TRUE(Contains(header, Identifier("delay line", 0) + "[64];\r\n"));
    EXPECT_FALSE(Contains(header, "acc-1;"));
    // Every data-type constant the source can name is defined.
    const std::string source = Generate(WriteDspSource, block, "_Gain.c");
    static const std::regex CODE("HDT_[A-Z_]+");
    std::set<std::string> used;
    for (const std::string& text : {source, header}) {
        for (auto it = std::sregex_iterator(text.begin(), text.end(), CODE);
             it != std::sregex_iterator(); ++it) {
            used.insert(it->str());
        }
    }
    for (const char* code :
         {"HDT_DOUBLE", "HDT_FLOAT", "HDT_LONG", "HDT_INT", "HDT_SHORT", "HDT_BYTE", "HDT_CHAR"}) {
        used.insert(code);
    }
    for (const std::string& code : used) {
        EXPECT_TRUE(Contains(header, "#define " + code + " ")) << code << " is not defined";
    }
}

}  // namespace
}  // namespace bw
