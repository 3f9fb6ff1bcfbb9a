#pragma once

#include <QString>

#include <sys/types.h>

// Starts `program` without arguments in a session of its own, its standard channels on
// /dev/null, so that it outlives this process and a caller reading this one's output is
// not kept waiting by it. Its process id, or -1.
pid_t startdetached(const QString& program);
// Whether a process started so has ended (it is collected then).
bool hasended(pid_t pid);
// This process's own executable.
QString ownexecutable();
