#include "app/launch_system.h"

namespace bw {

// Windows has no process groups that a program's children join of
// themselves: the program alone is started and stopped.
void LeadOwnGroup(QProcess&) {}

void StopProgram(QProcess& process) {
    process.kill();
}

QString WineProgram() {
    return {};
}

}  // namespace bw
