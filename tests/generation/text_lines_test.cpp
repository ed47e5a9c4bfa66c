#include "generation/text_lines.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "support/generate.h"

namespace bw {
namespace {

// The bytes written to a fresh file by write, handed inputs.
std::string Written(const std::function<void(Printer&)>& write, GeneratorInputs inputs = {}) {
    TempDir dir;
    RunEnvironment environment;
    OutputFile file(environment, std::move(inputs));
    EXPECT_TRUE(file.Open(dir.path() + "out.txt"));
    Printer print(file);
    write(print);
    EXPECT_TRUE(SaveOutputFile(file));
    return ReadFileBytes(dir.path() + "out.txt");
}

TEST(PrinterTest, FillsEveryVariableInOnePassFromTheLeft) {
    Written([&](Printer& print) {
        print.Set("i", 12);
        EXPECT_EQ(print.Fill("hBuf<i> = in<i>[<k>];", {{"k", "3"}}), "hBuf12 = in12[3];");
        EXPECT_EQ(print.Fill("<i><k><i>", {{"k", "b"}}), "12b12");
        // A value that holds a placeholder is written as it is.
        EXPECT_EQ(print.Fill("<i>/<k>", {{"i", "<k>"}, {"k", "x"}}), "<k>/x");
        print.Set("N", "a<INC>b");
        print.Set("INC", "x");
        EXPECT_EQ(print.Fill("<N>|<INC>|<4>"), "a<INC>b|x|<4>");
        print.Set("N", "c");
        EXPECT_EQ(print.Fill("<N><N"), "c<N");
    });
}

TEST(PrinterTest, LeavesTextThatOnlyLooksLikeAPlaceholder) {
    Written([&](Printer& print) {
        print.Set("i", 1);
        EXPECT_EQ(print.Fill("a < b <i"), "a < b <i");
        EXPECT_EQ(print.Fill("<<i>>"), "<1>");
        EXPECT_EQ(print.Fill("#include <windows.h> <i>"), "#include <windows.h> 1");
        EXPECT_EQ(print.Fill("if (i < n && n > 0) <i>"), "if (i < n && n > 0) 1");
        EXPECT_EQ(print.Fill("<i> < <i> > <i>"), "1 < 1 > 1");
        EXPECT_EQ(print.Fill("for (i = 0; i<n; i++) a[i] = b>c ? <i> : 0;"),
                  "for (i = 0; i<n; i++) a[i] = b>c ? 1 : 0;");
        EXPECT_EQ(print.Fill(""), "");
    });
}

TEST(PrinterTest, ScopesAndOneCallsVariablesHideOuterOnesUntilTheyEnd) {
    EXPECT_EQ(Written([](Printer& print) {
                  print.Set("x", "file");
                  {
                      const auto section = print.With({{"x", "section"}, {"y", "only here"}});
                      print.Line("<x> <y>");
                      print.Line("<x>", {{"x", "call"}});
                      print.Set("x", "changed in the section");
                      print.Line("<x>");
                  }
                  print.Line("<x>");
                  EXPECT_THROW(print.Line("<y>"), UnknownVariable);  // ended with its scope
              }),
              "section only here\r\ncall\r\nchanged in the section\r\nfile\r\n");
}

// A misspelt variable is a fault of the generator: it names the pattern and
// the variable, and nothing of the line reaches the file, however it would
// have been written.
TEST(PrinterTest, AnUnknownVariableIsAnErrorThatWritesNothing) {
    const std::string longValue(5000, 'v');
    const std::string written = Written([&](Printer& print) {
        print.Set("IDENT", "GAIN");
        print.Line("first");
        try {
            print.Line("#define IDC_<IDENT> <idnet>");
            ADD_FAILURE() << "no error";
        } catch (const UnknownVariable& error) {
            EXPECT_STREQ(error.what(),
                         "The printer pattern \"#define IDC_<IDENT> <idnet>\" names the variable "
                         "<idnet>, which no scope sets.");
        }
        EXPECT_THROW(print.Text("<IDENT><x>"), UnknownVariable);
        EXPECT_THROW(print.Line("<IDENT> <long> <x>", {{"long", longValue}}), UnknownVariable);
        EXPECT_THROW(print.Block("\nfine <IDENT>\nnot <Ident>\n"), UnknownVariable);
        EXPECT_THROW((void)print.Fill("<i>"), UnknownVariable);
        EXPECT_THROW(print.Line("x,<x217>,y"), UnknownVariable);
        EXPECT_THROW(print.Line("// <array nmae>"), UnknownVariable);
        print.Line("last");
    });
    EXPECT_EQ(written,
              "first\r\nfine GAIN\r\nlast\r\n");  // the block's lines before the fault stay
}

// Text put together elsewhere (a user's name, say) is written as it is.
TEST(PrinterTest, RawTextIsNeverFilled) {
    EXPECT_EQ(Written([](Printer& print) {
                  print.Set("i", 1);
                  print.Raw("Gain<i>");
                  print.RawText("<i>");
                  print.Line("<i>");
              }),
              "Gain<i>\r\n<i>1\r\n");
}

TEST(PrinterTest, BlocksDropTheBreaksAfterTheirOpeningAndBeforeTheirClosing) {
    EXPECT_EQ(Written([](Printer& print) {
                  print.Block(R"(
first <i>

third)",
                              {{"i", 1}});
                  print.Block(R"(
last
)");
                  print.Block("");
                  print.Text("no end <i>", {{"i", 2}});
              }),
              "first 1\r\n\r\nthird\r\nlast\r\n\r\nno end 2");
}

// Lines handed over in pieces or composed in place read exactly as the
// filled line, whatever their length and however many placeholders they hold.
TEST(PrinterTest, WrittenLinesReadAsTheFilledLine) {
    const std::string longValue(5000, 'v');  // past what is composed in place
    std::string many;
    for (int n = 0; n < 100; ++n) {
        many += "<i>,";
    }
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"hBuf<i> = in<i>[<k>];", {"12", "3"}},
        {"<k><i>", {"<k>", ""}},  // a value holding a placeholder stays as it is
        {"no placeholders", {"1", "2"}},
        {"<i> and <k>", {longValue, "x"}},
        {many, {"7", ""}},  // more pieces than are handed over at once
    };
    for (const auto& [line, values] : cases) {
        std::string filled;
        const std::string written = Written([&](Printer& print) {
            filled = print.Fill(line, {{"i", values[0]}, {"k", values[1]}}) + "\r\n";
            print.Line(line, {{"i", values[0]}, {"k", values[1]}});
        });
        EXPECT_EQ(written, filled) << line;
    }
}

// Many lines and one larger than the output buffer reach the file whole and
// in order.
TEST(PrinterTest, LinesBeyondTheBufferArriveInOrder) {
    const std::string huge(600 * 1024, 'h');
    std::string expected;
    for (int i = 0; i < 40000; ++i) {
        expected += "line " + std::to_string(i) + "\r\n";
    }
    expected += huge + "\r\n" + "last\r\n";
    EXPECT_EQ(Written([&](Printer& print) {
                  for (int i = 0; i < 40000; ++i) {
                      print.Line("line <i>", {{"i", NumberText(i)}});
                  }
                  print.Line(huge);
                  print.Line("<i>", {{"i", "last"}});
              }),
              expected);
}

// The head's date and time are those of the instant the file was handed.
TEST(FileHeadTest, GivesTheTimeTheFileWasHanded) {
    std::tm when{};
    when.tm_year = 124;
    when.tm_mon = 2;
    when.tm_mday = 5;
    when.tm_wday = 2;
    when.tm_hour = 15;
    when.tm_min = 7;
    GeneratorInputs inputs;
    inputs.now = when;
    const std::string written = Written(
        [&](Printer& print) {
            WriteFileHead(print, [&] {
                print.Lines({"<FileName>", "<date>", "<time>", "<date> <time>"});
            });
            EXPECT_THROW(print.Line("<date>"),
                         UnknownVariable);  // the head's variables end with it
        },
        inputs);
    EXPECT_EQ(written,
              "out.txt\r\nTue - 05 March 2024\r\n03:07 PM\r\nTue - 05 March 2024 03:07 PM\r\n");
}

}  // namespace
}  // namespace bw
