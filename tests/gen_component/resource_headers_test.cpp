#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "gen_component/component_files.h"
#include "support/generate.h"

namespace bw {
namespace {

void AddParameter(BLOCKINFO& block, const std::string& name, int type,
                  std::vector<std::string> items = {}) {
    PARAMINFO& parameter = block.Parameters[static_cast<size_t>(block.NumParameters++)];
    parameter.ParameterName = name;
    parameter.ParameterType = type;
    parameter.ParameterItems = std::move(items);
}

std::string Define(const std::string& name, const std::string& value) {
    std::string line = "#define " + name;
    line.resize(std::max<size_t>(line.size(), 50), ' ');
    return line + "  " + value;
}

std::vector<std::string> Defines(const std::vector<std::string>& lines) {
    std::vector<std::string> defines;
    for (const std::string& line : lines) {
        if (line.rfind("#define ", 0) == 0 && line != "#define hresourc_h") {
            defines.push_back(line);
        }
    }
    return defines;
}

std::vector<std::string> HeaderLines(const BLOCKINFO& block) {
    return Lines(Generate(WriteResourceHeader, block, "hresourc.h"));
}

bool Has(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(ResourceHeader, NumbersEachControlKindInItsOwnRange) {
    BLOCKINFO block = NewBlock();
    AddParameter(block, "Gain", TYPE_FLOAT);
    AddParameter(block, "Mode", TYPE_COMBO_BOX, {"Fast", "Slow"});
    AddParameter(block, "Path", TYPE_FILE_OPEN);
    const std::vector<std::string> expected = {
        Define("IDC_STRING_GAIN", "51"),
        Define("IDC_STRING_MODE", "52"),
        Define("IDC_STRING_PATH", "53"),
        Define("IDC_STRING_PATH_PATHNAME", "54"),
        Define("IDC_EDIT_GAIN", "201"),
        Define("IDC_EDIT_PATH", "202"),
        Define("IDC_EDIT_PATH_PATHNAME", "203"),
        Define("IDC_EDIT_PATH_COMPLETENAME", "204"),
        Define("IDC_VAR_GAIN", "205"),
        Define("IDC_VAR_PATH", "206"),
        Define("IDC_VAR_PATH_PATHNAME", "207"),
        Define("IDC_VAR_PATH_COMPLETENAME", "208"),
        Define("IDC_COMBO_MODE", "402"),
        Define("IDBROWSE_PATH", "604"),
        "#define IDC_STATIC                                  -1",
    };
    EXPECT_EQ(Defines(HeaderLines(block)), expected);
}

TEST(ResourceHeader, SampleRateIsTheHostsFieldAndStillTakesItsNumber) {
    BLOCKINFO block = NewBlock();
    AddParameter(block, "Sample Rate", TYPE_DOUBLE);
    AddParameter(block, "Gain", TYPE_DOUBLE);
    AddParameter(block, "SampleFreq", TYPE_FLOAT);  // only a Double is the host's field
    const auto lines = HeaderLines(block);
    EXPECT_TRUE(Has(lines, Define("IDC_EDIT_SAMPLERATE", "IDC_SAMPFREQ")));
    EXPECT_TRUE(Has(lines, Define("IDC_EDIT_GAIN", "202")));
    EXPECT_TRUE(Has(lines, Define("IDC_EDIT_SAMPLEFREQ", "203")));
    EXPECT_TRUE(Has(lines, Define("IDC_VAR_SAMPLERATE", "204")));
}

TEST(ResourceHeader, RadioButtonsGetTheirGroupThenTheirButtons) {
    BLOCKINFO block = NewBlock();
    AddParameter(block, "Enable", TYPE_RADIO_BUTTONS, {"On"});
    AddParameter(block, "Window", TYPE_RADIO_BUTTONS, {"Hann", "Blackman-Harris", "!"});
    AddParameter(block, "Hold", TYPE_CHECK_BOX);
    const std::vector<std::string> expected = {
        Define("IDC_STRING_ENABLE", "51"),
        Define("IDC_STRING_WINDOW", "52"),
        Define("IDC_RADIO_ENABLE", "301"),
        Define("IDC_RADIO_ENABLE_NO", "302"),
        Define("IDC_RADIO_ENABLE_YES", "303"),
        Define("IDC_RADIO_WINDOW", "304"),
        Define("IDC_RADIO_WINDOW_HANN", "305"),
        Define("IDC_RADIO_WINDOW_BLACKMANHARRIS", "306"),
        Define("IDC_RADIO_WINDOWPARAMETER2", "307"),
        Define("IDC_CHECK_HOLD", "501"),
        "#define IDC_STATIC                                  -1",
    };
    EXPECT_EQ(Defines(HeaderLines(block)), expected);
}

TEST(ResourceHeader, SkippedParametersTakeNoNumberButKeepTheirPosition) {
    BLOCKINFO block = NewBlock();
    AddParameter(block, "Gone", TYPE_EXCLUDED);
    AddParameter(block, "%", TYPE_INTEGER);  // no identifier characters: named by position
    const auto lines = HeaderLines(block);
    EXPECT_FALSE(Has(lines, Define("IDC_STRING_GONE", "51")));
    EXPECT_TRUE(Has(lines, Define("IDC_STRINGPARAMETER1", "51")));
    EXPECT_TRUE(Has(lines, Define("IDC_EDITPARAMETER1", "201")));
}

TEST(ResourceHeader, WithoutParametersEveryTitleBlockIsStillWritten) {
    const auto lines = HeaderLines(NewBlock());
    const std::string rule = "//" + std::string(74, '-');
    EXPECT_EQ(std::count(lines.begin(), lines.end(), rule), 2 * 7);
    EXPECT_EQ(Defines(lines),
              std::vector<std::string>{"#define IDC_STATIC                                  -1"});
    EXPECT_EQ(lines.front(), "#ifndef hresourc_h");
    EXPECT_EQ(lines.back(), "#endif");
}

TEST(ResourceHeader, OptionalSectionsFollowTheBlocksKind) {
    BLOCKINFO block = NewBlock();
    block.NumInputs = 0;
    block.Bitmap = 1;
    block.Matrix = 1;
    block.UserControl = 1;
    block.RealTime = 1;
    block.xDAIS = 1;
    const auto lines = HeaderLines(block);
    EXPECT_TRUE(Has(lines, Define("IDC_IMAGEWIDTH", "1105")));
    EXPECT_TRUE(Has(lines, Define("IDC_ROWS", "1105")));
    EXPECT_TRUE(Has(lines, "#define IDC_COMBO_SWI                               401 "));
    EXPECT_TRUE(Has(lines, Define("IDD_DIALOG1", "101")));
    EXPECT_TRUE(
        Has(lines, "//                      REAL-TIME DRIVER IDC's 700-799                      "));
    EXPECT_TRUE(Has(lines, Define("IDB_CLK", "806")));

    block.NumInputs = 1;  // a block with inputs has no size to edit
    block.xDAIS = 0;
    const auto plain = HeaderLines(block);
    EXPECT_FALSE(Has(plain, Define("IDC_IMAGEWIDTH", "1105")));
    EXPECT_FALSE(Has(plain, Define("IDC_ROWS", "1105")));
    EXPECT_FALSE(Has(plain, Define("IDB_BITMAP", "801")));
}

TEST(ResourceHeader, LongNamesAreNotCut) {
    BLOCKINFO block = NewBlock();
    AddParameter(block, "AVeryLongParameterNameThatGoesPastTheColumn", TYPE_CHECK_BOX);
    EXPECT_TRUE(Has(HeaderLines(block),
                    "#define IDC_CHECK_AVERYLONGPARAMETERNAMETHATGOESPASTTHECOLUMN  501"));
}

}  // namespace
}  // namespace bw
