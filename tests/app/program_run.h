#pragma once

// Runs the built program as a user's shell would, for the tests of the
// command line, and what those tests share: the example template and the
// bytes of the files a run leaves.

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace bw {

// The template the tests generate from.
inline const std::string EXAMPLE = std::string(BLOCKWRIGHT_SOURCE_DIR) + "/examples/Gain.tbt";

struct Outcome {
    int status = -1;  // -1 when the program did not end normally within a minute
    std::string out;
    std::string err;
};

// Ours, with a fixed epoch for the file heads and, when a folder is named,
// the settings kept there.
inline QProcessEnvironment ProgramEnvironment(const QString& configFolder = {}) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("SOURCE_DATE_EPOCH", "1700000000");
    if (!configFolder.isEmpty()) {
        environment.insert("XDG_CONFIG_HOME", configFolder);
    }
    return environment;
}

// Preloads the library that fails the file-system calls under the paths
// faults name (BW_FAULT_FULL, BW_FAULT_READONLY).
inline void PreloadFaults(QProcessEnvironment& environment,
                          const std::map<QString, std::string>& faults) {
    environment.insert("LD_PRELOAD", BLOCKWRIGHT_FAULT_SHIM);
    // A sanitizer build otherwise refuses a library loaded before its runtime.
    environment.insert("ASAN_OPTIONS",
                       environment.value("ASAN_OPTIONS") + ":verify_asan_link_order=0");
    for (const auto& [name, prefix] : faults) {
        environment.insert(name, QString::fromStdString(prefix));
    }
}

// The program (the built one unless another copy is named) with arguments,
// stdin a pipe (no terminal), in environment.
inline Outcome RunProgram(const QStringList& arguments, const QProcessEnvironment& environment,
                          const QString& program = QStringLiteral(BLOCKWRIGHT_EXE)) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000)) {
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput().toStdString(),
            process.readAllStandardError().toStdString()};
}

// The program with a fixed epoch.
inline Outcome Blockwright(const QStringList& arguments) {
    return RunProgram(arguments, ProgramEnvironment());
}

// The bytes of a file; empty when it cannot be read.
inline std::string FileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace bw
