#pragma once

// Runs the built program as a user's shell would, for the tests of the
// command line.

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <string>

namespace bw {

struct Outcome {
    int status = -1;  // -1 when the program did not end normally within a minute
    std::string out;
    std::string err;
};

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

}  // namespace bw
