// Each context's escape over texts holding what its reader takes specially,
// and, where the reader is at hand, the reader itself giving the text back:
// the C compiler for a C string and a comment, CMake for its arguments.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "generation/text_contexts.h"
#include "support/generate.h"
#include "support/missing_tool.h"

namespace bw {
namespace {

// Quotes, a backslash, a percent sign, a letter beyond ASCII and a line end.
const std::string AWKWARD = "say \"hi\" \\ it's 50% caf\xC3\xA9\r\nnext";

struct Case {
    TextContext context;
    std::string typed;
    std::string written;
};

TEST(TextContextsTest, EachContextEscapesWhatItsReaderTakesSpecially) {
    const Case cases[] = {
        {TextContext::CString, AWKWARD, "say \\\"hi\\\" \\\\ it's 50% caf\xC3\xA9\\r\\nnext"},
        {TextContext::CString,
         "what?\?/ and \x01"
         "2",
         "what?\\?/ and \\0012"},
        // DEL too is a control character: no raw one reaches a source file.
        {TextContext::CString, "del\x7f", "del\\177"},
        {TextContext::CComment, AWKWARD, "say \"hi\" \\ it's 50% caf\xC3\xA9  next"},
        {TextContext::CComment, "c:\\dir\\ ", "c:\\dir\\ ."},
        {TextContext::CComment, "a \\ b", "a \\ b"},
        {TextContext::CComment, "end */ open /* //", "end * / open / * //"},
        {TextContext::ResourceString, AWKWARD,
         "say \"\"hi\"\" \\\\ it's 50% caf\xC3\xA9\\r\\nnext"},
        {TextContext::ModuleDefinition, "Gain", "Gain"},
        {TextContext::ModuleDefinition, "two words", "\"two words\""},
        {TextContext::ProjectFile, "c:\\a#b\\$x^y", "c:\\a^#b\\$$x^^y"},
        {TextContext::CMakeArgument, "c:\\a;b\"${x}", "c:\\\\a;b\\\"\\${x}"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(ContextName(c.context)) + ": " + c.typed);
        EXPECT_EQ(Escaped(c.context, c.typed), c.written);
    }
}

bool HostCompilerPresent() {
    return std::system("gcc --version >/dev/null 2>&1") == 0;
}

// The C compiler reads the escaped text back byte for byte, trigraphs on as
// older compilers have them, and a comment ending in a backslash joins
// nothing to itself.
TEST(TextContextsTest, TheCCompilerReadsTheTextBackAsTyped) {
    if (!HostCompilerPresent()) {
        BW_MISSING_TOOL("no host C compiler: install gcc");
    }
    TempDir dir;
    const std::string texts[] = {AWKWARD,
                                 "what?\?/",
                                 "tab\there",
                                 "c:\\dir\\",
                                 "a */ b /* c",
                                 "\x7f\x1f"
                                 "1"};
    std::string program = "#include <stdio.h>\n#include <string.h>\nint main(void) {\n";
    int n = 0;
    for (const std::string& text : texts) {
        const std::string expected = [&] {
            std::string bytes;
            for (unsigned char c : text) {
                bytes += "\\x" + std::string(1, "0123456789abcdef"[c >> 4]) +
                         "0123456789abcdef"[c & 15] + "\"\"";
            }
            return bytes;
        }();
        program += "    // " + Escaped(TextContext::CComment, text) + "\n";
        program += "    /* " + Escaped(TextContext::CComment, text) + " */\n";
        program += "    if (strcmp(\"" + Escaped(TextContext::CString, text) + "\", \"" + expected +
                   "\") != 0) return " + std::to_string(++n) + ";\n";
    }
    program += "    return 0;\n}\n";
    WriteFileBytes(dir.path() + "read_back.c", program);
    const std::string command =
        "cd '" + dir.path() +
        "' && gcc -std=c99 -trigraphs -Wall -Werror read_back.c -o read_back "
        "2>/dev/null && ./read_back";
    EXPECT_EQ(std::system(command.c_str()), 0) << program;
}

TEST(TextContextsTest, CMakeReadsTheArgumentBackAsTyped) {
    if (std::system("cmake --version >/dev/null 2>&1") != 0) {
        BW_MISSING_TOOL("no cmake: install cmake");
    }
    TempDir dir;
    const std::string typed = "c:\\a;b \"${x}\" $ENV{HOME} 50%";
    WriteFileBytes(dir.path() + "read_back.cmake",
                   "set(x \"" + Escaped(TextContext::CMakeArgument, typed) +
                       "\")\nfile(WRITE \"${CMAKE_CURRENT_LIST_DIR}/out.txt\" \"${x}\")\n");
    ASSERT_EQ(std::system(("cmake -P '" + dir.path() + "read_back.cmake'").c_str()), 0);
    EXPECT_EQ(ReadFileBytes(dir.path() + "out.txt"), typed);
}

}  // namespace
}  // namespace bw
