#pragma once

class QProcess;

// Makes a process that the caller is about to start end with the calling thread,
// however that ends: a failed check, a crash, a signal, ctest's time-out. Without it
// a test that dies leaves its virtual display, window manager and program copies
// running, and ctest waits for them until its own time-out.
void tieToThisThread(QProcess &child);

// Asks the child to end, kills it when it has not within `graceMs`, and waits for it
// to be gone; a child that was never started or has ended is left as it is.
void endChild(QProcess &child, int graceMs);
