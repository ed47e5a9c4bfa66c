#pragma once

// The files a try leaves for people and build servers: a JUnit report, a
// plot of what the block did to its signal, and its outputs as sound.

#include <complex>
#include <string>
#include <vector>

#include "trial/trial.h"

namespace bw {

// The checks as one JUnit test suite named after the block: a test case per
// check, a failure element for a failed one, skipped for one not run.
std::string JUnitReport(const std::string& blockName, const std::vector<TrialCheck>& checks);

// The magnitudes of the spectrum of samples from 0 Hz to half the sample
// rate: the first power of two at least as long, zero-padded, transformed.
std::vector<double> MagnitudeSpectrum(const std::vector<double>& samples);

// What one output's panels of the plot show: the signal that went in
// (none for a source) and what came out, over time and as spectra.
struct OutputPlot {
    std::vector<double> input;
    std::vector<double> output;
    std::vector<double> inputSpectrum;
    std::vector<double> outputSpectrum;
};

// The panels of output j of the trace; the input beside it is the input of
// the same number, or the last one where there are fewer inputs.
OutputPlot PlotOf(const TrialTrace& trace, size_t output);

// An SVG picture: per output a row with the signals over time and their
// magnitude spectra in decibels.
std::string PlotSvg(const std::string& blockName, const TrialTrace& trace);

// A mono WAV file of 32-bit float samples.
std::string WavFile(const std::vector<double>& samples, double sampleRate);

// The samples of a WAV file (PCM of 8, 16, 24 or 32 bits, or float of 32
// or 64), the channels mixed; false with why in problem when it is none.
bool ReadWav(const std::string& bytes, std::vector<double>& samples, double& sampleRate,
             std::string& problem);

}  // namespace bw
