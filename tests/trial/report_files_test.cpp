// The report files: the JUnit report and the plot parse as XML and say
// what the checks said, the spectrum finds a tone where it is, and a WAV
// file written reads back as it was.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <numbers>

#include "support/generate.h"
#include "support/missing_tool.h"
#include "trial/report_files.h"

namespace bw {
namespace {

// Runs python3's XML parser on file and gives what the script printed;
// empty with failed set when python3 is not there or the file is no XML.
std::string ParsedByPython(const std::string& file, const std::string& script, bool& failed) {
    const std::string out = file + ".parsed";
    const std::string command = "python3 -c '" + script + "' '" + file + "' >'" + out + "' 2>&1";
    failed = std::system(command.c_str()) != 0;
    return ReadFileBytes(out);
}

bool PythonPresent() {
    return std::system("python3 -c 'import xml.dom.minidom' >/dev/null 2>&1") == 0;
}

TEST(JUnitReport, ParsesAsXmlWithACaseForEachCheckAndItsReasonIntact) {
    if (!PythonPresent()) {
        BW_MISSING_TOOL("python3 checks the report's XML (apt-get install python3)");
        return;
    }
    const std::string reason = "UserExecProc: wrote \"x\" < 'y' & z > w\x01 at\tend\nsecond line";
    const std::vector<TrialCheck> checks = {
        {"crash", "no exception in any entry point", CheckOutcome::Passed, ""},
        {"bounds", "no write outside a buffer", CheckOutcome::Failed, reason},
        {"realtime", "every frame computed faster than it lasts", CheckOutcome::NotRun,
         "not run: the block crashed"},
    };
    TempDir dir;
    WriteFileBytes(dir.path() + "report.xml", JUnitReport("Gain <&>", checks));
    bool failed = false;
    const std::string parsed = ParsedByPython(
        dir.path() + "report.xml",
        "import sys, xml.dom.minidom as m\n"
        "d = m.parse(sys.argv[1])\n"
        "s = d.getElementsByTagName(\"testsuite\")\n"
        "print(len(s), s[0].getAttribute(\"name\"), s[0].getAttribute(\"tests\"),"
        " s[0].getAttribute(\"failures\"), s[0].getAttribute(\"skipped\"))\n"
        "for c in d.getElementsByTagName(\"testcase\"):\n"
        "    f = c.getElementsByTagName(\"failure\")\n"
        "    k = c.getElementsByTagName(\"skipped\")\n"
        "    print(c.getAttribute(\"name\"), \"|\", len(f), len(k))\n"
        "    if f: print(repr(f[0].getAttribute(\"message\")))\n",
        failed);
    ASSERT_FALSE(failed) << parsed;
    EXPECT_EQ(parsed,
              "1 blockwright try Gain <&> 3 1 1\n"
              "crash: no exception in any entry point | 0 0\n"
              "bounds: no write outside a buffer | 1 0\n"
              "'UserExecProc: wrote \"x\" < \\'y\\' & z > w\\\\x01 at\\tend\\nsecond line'\n"
              "realtime: every frame computed faster than it lasts | 0 1\n");
}

TEST(PlotSvg, ParsesAsSvgWithTwoPanelsAndTheirCurvesPerOutput) {
    if (!PythonPresent()) {
        BW_MISSING_TOOL("python3 checks the plot's XML (apt-get install python3)");
        return;
    }
    TrialTrace trace;
    trace.sampleRate = 48000;
    trace.inputs = {{0, 1, 0, -1, 0, 1, 0, -1}};
    trace.outputs = {{0, 2, 0, -2, 0, 2, 0, -2}, {NAN, INFINITY, 0, 0, 0, 0, 0, 0}};
    TempDir dir;
    WriteFileBytes(dir.path() + "plot.svg", PlotSvg("Gain", trace));
    bool failed = false;
    const std::string parsed = ParsedByPython(
        dir.path() + "plot.svg",
        "import sys, xml.dom.minidom as m\n"
        "d = m.parse(sys.argv[1])\n"
        "print(d.documentElement.tagName, len(d.getElementsByTagName(\"polyline\")),"
        " len(d.getElementsByTagName(\"rect\")))\n"
        "for p in d.getElementsByTagName(\"polyline\"):\n"
        "    assert \"nan\" not in p.getAttribute(\"points\").lower()\n"
        "    assert \"inf\" not in p.getAttribute(\"points\").lower()\n",
        failed);
    ASSERT_FALSE(failed) << parsed;
    // Per output two panels of two curves; the page's background is a rect too.
    EXPECT_EQ(parsed, "svg 8 5\n");
}

TEST(MagnitudeSpectrum, PutsATonesEnergyInItsBin) {
    const size_t n = 64;
    std::vector<double> tone(n);
    for (size_t i = 0; i < n; ++i) {
        tone[i] = 0.5 + std::cos(2 * std::numbers::pi * 5 * static_cast<double>(i) / n);
    }
    const std::vector<double> spectrum = MagnitudeSpectrum(tone);
    ASSERT_EQ(spectrum.size(), n / 2 + 1);
    EXPECT_NEAR(spectrum[0], 0.5, 1e-12);
    EXPECT_NEAR(spectrum[5], 0.5, 1e-12);  // half the amplitude on each side
    for (size_t k = 1; k < spectrum.size(); ++k) {
        if (k != 5) {
            EXPECT_NEAR(spectrum[k], 0, 1e-12) << "bin " << k;
        }
    }
    // A length that is no power of two is padded, not cut.
    EXPECT_EQ(MagnitudeSpectrum(std::vector<double>(100, 1.0)).size(), 65u);
}

TEST(WavFile, ReadsBackWhatWasWritten) {
    const std::vector<double> samples = {0.0, 0.25, -0.5, 1.0, -1.0, 0.125};
    const std::string bytes = WavFile(samples, 44100);
    std::vector<double> read;
    double rate = 0;
    std::string problem;
    ASSERT_TRUE(ReadWav(bytes, read, rate, problem)) << problem;
    EXPECT_EQ(rate, 44100);
    EXPECT_EQ(read, samples);  // each is exact as a float
    EXPECT_EQ(bytes.size(), 44 + 4 * samples.size());
}

// A 16-bit stereo PCM file as another program writes it, with a chunk
// before the data that is not read.
TEST(WavFile, MixesTheChannelsOfSixteenBitPcm) {
    const auto le = [](unsigned value, int size) {
        std::string bytes;
        for (int b = 0; b < size; ++b) {
            bytes += static_cast<char>(value >> (8 * b) & 0xff);
        }
        return bytes;
    };
    const std::string data = le(0x4000, 2) + le(0x0000, 2) + le(0x8000, 2) + le(0x8000, 2);
    const std::string bytes = "RIFF" + le(4 + 24 + 14 + 8 + 8, 4) + "WAVE" + "fmt " + le(16, 4) +
                              le(1, 2) + le(2, 2) + le(8000, 4) + le(32000, 4) + le(4, 2) +
                              le(16, 2) + "LIST" + le(5, 4) + "abcde" + std::string(1, '\0') +
                              "data" + le(static_cast<unsigned>(data.size()), 4) + data;
    std::vector<double> read;
    double rate = 0;
    std::string problem;
    ASSERT_TRUE(ReadWav(bytes, read, rate, problem)) << problem;
    EXPECT_EQ(rate, 8000);
    EXPECT_EQ(read, (std::vector<double>{0.25, -1.0}));
    EXPECT_FALSE(ReadWav("RIFF....WAVEdata", read, rate, problem));
    EXPECT_FALSE(ReadWav("not a wav file at all", read, rate, problem));
    EXPECT_NE(problem.find("not a WAV file"), std::string::npos);
}

}  // namespace
}  // namespace bw
