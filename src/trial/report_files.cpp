#include "trial/report_files.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <sstream>

namespace bw {

namespace {

// Text for an XML attribute or element: the five markup characters as
// entities, and control characters, which XML 1.0 cannot hold at all, as
// the escape the console shows them in.
std::string XmlText(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            case '\'':
                escaped += "&apos;";
                break;
            case '\n':
                escaped += "&#10;";
                break;
            case '\t':
                escaped += "&#9;";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
                    static const char HEX[] = "0123456789abcdef";
                    escaped += "\\x";
                    escaped += HEX[(c >> 4) & 0xf];
                    escaped += HEX[c & 0xf];
                } else {
                    escaped += c;
                }
        }
    }
    return escaped;
}

void AppendLittleEndian(std::string& bytes, std::uint64_t value, int size) {
    for (int b = 0; b < size; ++b) {
        bytes += static_cast<char>(value >> (8 * b) & 0xff);
    }
}

std::uint64_t LittleEndian(const std::string& bytes, size_t at, int size) {
    std::uint64_t value = 0;
    for (int b = size - 1; b >= 0; --b) {
        value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<size_t>(b)]);
    }
    return value;
}

// In-place radix-2 transform; values.size() is a power of two.
void Transform(std::vector<std::complex<double>>& values) {
    const size_t n = values.size();
    for (size_t i = 1, j = 0; i < n; ++i) {
        size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) {
            j ^= bit;
        }
        j ^= bit;
        if (i < j) {
            std::swap(values[i], values[j]);
        }
    }
    for (size_t length = 2; length <= n; length <<= 1) {
        const double angle = -2 * std::numbers::pi / static_cast<double>(length);
        const std::complex<double> step(std::cos(angle), std::sin(angle));
        for (size_t start = 0; start < n; start += length) {
            std::complex<double> w(1);
            for (size_t k = 0; k < length / 2; ++k) {
                const std::complex<double> even = values[start + k];
                const std::complex<double> odd = values[start + k + length / 2] * w;
                values[start + k] = even + odd;
                values[start + k + length / 2] = even - odd;
                w *= step;
            }
        }
    }
}

// A panel of the plot: curves scaled into a box, a frame and a caption.
struct Panel {
    double x, y, width, height;
};

const int PANEL_WIDTH = 440;
const int PANEL_HEIGHT = 180;
const int MARGIN = 40;
const double FLOOR_DB = -120;

// The finite range of the curves, never empty.
std::pair<double, double> RangeOf(const std::vector<const std::vector<double>*>& curves) {
    double low = INFINITY;
    double high = -INFINITY;
    for (const auto* curve : curves) {
        for (const double v : *curve) {
            if (std::isfinite(v)) {
                low = std::min(low, v);
                high = std::max(high, v);
            }
        }
    }
    if (!(low <= high)) {
        return {-1, 1};
    }
    if (high - low < 1e-12) {
        return {low - 1, high + 1};
    }
    return {low, high};
}

std::string Polyline(const std::vector<double>& curve, const Panel& panel,
                     std::pair<double, double> range, const char* colour) {
    std::ostringstream points;
    const double last = curve.size() > 1 ? static_cast<double>(curve.size() - 1) : 1;
    for (size_t i = 0; i < curve.size(); ++i) {
        const double v = std::isfinite(curve[i]) ? curve[i] : range.first;
        const double x = panel.x + panel.width * static_cast<double>(i) / last;
        const double y =
            panel.y + panel.height * (1 - (v - range.first) / (range.second - range.first));
        points << (i == 0 ? "" : " ") << x << ',' << y;
    }
    return "<polyline fill=\"none\" stroke=\"" + std::string(colour) +
           "\" stroke-width=\"1\" points=\"" + points.str() + "\"/>\n";
}

std::string DrawPanel(const Panel& panel, const std::string& caption,
                      const std::vector<double>& input, const std::vector<double>& output) {
    const auto range = RangeOf({&input, &output});
    std::ostringstream svg;
    svg << "<rect x=\"" << panel.x << "\" y=\"" << panel.y << "\" width=\"" << panel.width
        << "\" height=\"" << panel.height << "\" fill=\"white\" stroke=\"#888\"/>\n"
        << "<text x=\"" << panel.x << "\" y=\"" << panel.y - 6 << "\">" << XmlText(caption)
        << "</text>\n"
        << "<text x=\"" << panel.x + panel.width + 4 << "\" y=\"" << panel.y + 10
        << "\" font-size=\"9\">" << range.second << "</text>\n"
        << "<text x=\"" << panel.x + panel.width + 4 << "\" y=\"" << panel.y + panel.height
        << "\" font-size=\"9\">" << range.first << "</text>\n";
    if (!input.empty()) {
        svg << Polyline(input, panel, range, "#1f77b4");
    }
    svg << Polyline(output, panel, range, "#d62728");
    return svg.str();
}

std::vector<double> Decibels(const std::vector<double>& magnitudes) {
    std::vector<double> db;
    for (const double m : magnitudes) {
        db.push_back(m > 0 ? std::max(FLOOR_DB, 20 * std::log10(m)) : FLOOR_DB);
    }
    return db;
}

}  // namespace

std::string JUnitReport(const std::string& blockName, const std::vector<TrialCheck>& checks) {
    const auto count = [&](CheckOutcome outcome) {
        return std::count_if(checks.begin(), checks.end(),
                             [&](const TrialCheck& c) { return c.outcome == outcome; });
    };
    std::ostringstream xml;
    xml << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<testsuites>\n<testsuite name=\"" << XmlText("blockwright try " + blockName)
        << "\" tests=\"" << checks.size() << "\" failures=\"" << count(CheckOutcome::Failed)
        << "\" errors=\"0\" skipped=\"" << count(CheckOutcome::NotRun) << "\">\n";
    for (const TrialCheck& check : checks) {
        xml << "  <testcase classname=\"" << XmlText(blockName) << "\" name=\""
            << XmlText(check.id + ": " + check.title) << "\"";
        if (check.outcome == CheckOutcome::Passed) {
            xml << "/>\n";
            continue;
        }
        xml << ">\n";
        if (check.outcome == CheckOutcome::Failed) {
            xml << "    <failure message=\"" << XmlText(check.reason) << "\"/>\n";
        } else {
            xml << "    <skipped message=\"" << XmlText(check.reason) << "\"/>\n";
        }
        xml << "  </testcase>\n";
    }
    xml << "</testsuite>\n</testsuites>\n";
    return xml.str();
}

std::vector<double> MagnitudeSpectrum(const std::vector<double>& samples) {
    if (samples.empty()) {
        return {};
    }
    size_t n = 1;
    while (n < samples.size()) {
        n <<= 1;
    }
    std::vector<std::complex<double>> values(n);
    for (size_t i = 0; i < samples.size(); ++i) {
        values[i] = std::isfinite(samples[i]) ? samples[i] : 0.0;
    }
    Transform(values);
    std::vector<double> magnitudes;
    for (size_t k = 0; k <= n / 2; ++k) {
        magnitudes.push_back(std::abs(values[k]) / static_cast<double>(samples.size()));
    }
    return magnitudes;
}

OutputPlot PlotOf(const TrialTrace& trace, size_t output) {
    OutputPlot plot;
    plot.output = trace.outputs.at(output);
    if (!trace.inputs.empty()) {
        plot.input = trace.inputs[std::min(output, trace.inputs.size() - 1)];
    }
    plot.inputSpectrum = MagnitudeSpectrum(plot.input);
    plot.outputSpectrum = MagnitudeSpectrum(plot.output);
    return plot;
}

std::string PlotSvg(const std::string& blockName, const TrialTrace& trace) {
    const size_t rows = trace.outputs.size();
    const int rowHeight = PANEL_HEIGHT + 2 * MARGIN;
    const int width = 2 * PANEL_WIDTH + 4 * MARGIN;
    const int height = MARGIN + static_cast<int>(std::max<size_t>(rows, 1)) * rowHeight;
    std::ostringstream svg;
    svg << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << width << "\" height=\""
        << height << "\" font-family=\"sans-serif\" font-size=\"12\">\n"
        << "<rect width=\"100%\" height=\"100%\" fill=\"#f8f8f8\"/>\n"
        << "<text x=\"" << MARGIN << "\" y=\"" << MARGIN / 2 + 6 << "\" font-size=\"14\">"
        << XmlText(blockName) << " at " << trace.sampleRate
        << " Hz: input (blue) and output (red)</text>\n";
    for (size_t j = 0; j < rows; ++j) {
        const OutputPlot plot = PlotOf(trace, j);
        const double top = MARGIN + static_cast<double>(j) * rowHeight + MARGIN;
        const Panel time{MARGIN, top, PANEL_WIDTH, PANEL_HEIGHT};
        const Panel spectrum{2.0 * MARGIN + PANEL_WIDTH + MARGIN, top, PANEL_WIDTH,
                             PANEL_HEIGHT};
        const double seconds = static_cast<double>(plot.output.size()) / trace.sampleRate;
        std::ostringstream timeCaption;
        timeCaption << "output " << j << " over " << seconds * 1000 << " ms";
        std::ostringstream spectrumCaption;
        spectrumCaption << "output " << j << " magnitude (dB), 0 to " << trace.sampleRate / 2
                        << " Hz";
        svg << DrawPanel(time, timeCaption.str(), plot.input, plot.output)
            << DrawPanel(spectrum, spectrumCaption.str(), Decibels(plot.inputSpectrum),
                         Decibels(plot.outputSpectrum));
    }
    svg << "</svg>\n";
    return svg.str();
}

std::string WavFile(const std::vector<double>& samples, double sampleRate) {
    const auto rate = static_cast<std::uint32_t>(std::lround(sampleRate));
    const auto dataSize = static_cast<std::uint32_t>(samples.size() * 4);
    std::string bytes = "RIFF";
    AppendLittleEndian(bytes, 36 + dataSize, 4);
    bytes += "WAVEfmt ";
    AppendLittleEndian(bytes, 16, 4);
    AppendLittleEndian(bytes, 3, 2);  // IEEE float
    AppendLittleEndian(bytes, 1, 2);  // mono
    AppendLittleEndian(bytes, rate, 4);
    AppendLittleEndian(bytes, rate * 4, 4);
    AppendLittleEndian(bytes, 4, 2);
    AppendLittleEndian(bytes, 32, 2);
    bytes += "data";
    AppendLittleEndian(bytes, dataSize, 4);
    for (const double sample : samples) {
        const float value = static_cast<float>(sample);
        std::uint32_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        AppendLittleEndian(bytes, bits, 4);
    }
    return bytes;
}

bool ReadWav(const std::string& bytes, std::vector<double>& samples, double& sampleRate,
             std::string& problem) {
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) {
        problem = "not a WAV file (no RIFF WAVE header)";
        return false;
    }
    int format = 0;
    int channels = 0;
    int bits = 0;
    size_t at = 12;
    while (at + 8 <= bytes.size()) {
        const std::string id = bytes.substr(at, 4);
        const size_t size = LittleEndian(bytes, at + 4, 4);
        const size_t body = at + 8;
        const size_t end = std::min(bytes.size(), body + size);
        if (id == "fmt " && size >= 16 && body + 16 <= bytes.size()) {
            format = static_cast<int>(LittleEndian(bytes, body, 2));
            channels = static_cast<int>(LittleEndian(bytes, body + 2, 2));
            sampleRate = static_cast<double>(LittleEndian(bytes, body + 4, 4));
            bits = static_cast<int>(LittleEndian(bytes, body + 14, 2));
            if (format == 0xfffe && size >= 26 && body + 26 <= bytes.size()) {
                format = static_cast<int>(LittleEndian(bytes, body + 24, 2));  // the sub-format
            }
        } else if (id == "data") {
            const bool pcm = format == 1 && (bits == 8 || bits == 16 || bits == 24 || bits == 32);
            const bool floating = format == 3 && (bits == 32 || bits == 64);
            if (channels < 1 || !(pcm || floating) || !(sampleRate > 0)) {
                problem = "a WAV file of a kind not read here (format " + std::to_string(format) +
                          ", " + std::to_string(bits) +
                          " bits): give PCM of 8 to 32 bits or float of 32 or 64";
                return false;
            }
            const size_t width = static_cast<size_t>(bits / 8);
            const size_t frame = width * static_cast<size_t>(channels);
            samples.clear();
            for (size_t f = body; f + frame <= end; f += frame) {
                double sum = 0;
                for (int c = 0; c < channels; ++c) {
                    const std::uint64_t raw = LittleEndian(bytes, f + width * c, bits / 8);
                    double value = 0;
                    if (floating && bits == 32) {
                        float single = 0;
                        const auto word = static_cast<std::uint32_t>(raw);
                        std::memcpy(&single, &word, sizeof single);
                        value = single;
                    } else if (floating) {
                        std::memcpy(&value, &raw, sizeof value);
                    } else if (bits == 8) {
                        value = (static_cast<double>(raw) - 128) / 128;
                    } else {
                        // Sign-extend the two's complement sample of its width.
                        const std::uint64_t sign = std::uint64_t{1} << (bits - 1);
                        const auto signedValue =
                            static_cast<std::int64_t>((raw ^ sign)) - static_cast<std::int64_t>(sign);
                        value = static_cast<double>(signedValue) / static_cast<double>(sign);
                    }
                    sum += value;
                }
                samples.push_back(sum / channels);
            }
            if (samples.empty()) {
                problem = "the WAV file holds no samples";
                return false;
            }
            return true;
        }
        at = body + size + (size & 1);
    }
    problem = "the WAV file has no data chunk after its format";
    return false;
}

}  // namespace bw
