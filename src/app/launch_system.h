#pragma once

// What the launcher does differently on each system: how the programs it
// starts are grouped and stopped, and what runs Windows programs.

#include <QProcess>
#include <QString>

namespace bw {

// Has the program that process starts lead a group of its own, so that
// StopProgram ends the programs it starts as well.
void LeadOwnGroup(QProcess& process);

// Ends a started program: with its group where it leads one.
void StopProgram(QProcess& process);

// The program that runs ".exe" programs here: Wine; none on Windows, where
// they start directly.
QString WineProgram();

}  // namespace bw
