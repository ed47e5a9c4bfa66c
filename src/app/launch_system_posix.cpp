#include <signal.h>
#include <unistd.h>

#include <QStandardPaths>

#include "app/launch_system.h"

namespace bw {

void LeadOwnGroup(QProcess& process) {
    process.setChildProcessModifier([] { ::setpgid(0, 0); });
}

void StopProgram(QProcess& process) {
    if (process.processId() > 0) {
        ::kill(-static_cast<pid_t>(process.processId()), SIGKILL);
    }
    process.kill();
}

QString WineProgram() {
    return QStandardPaths::findExecutable(QStringLiteral("wine"));
}

}  // namespace bw
