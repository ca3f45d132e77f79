#pragma once

namespace preview {

// The page the preview is running, seen from outside its script: its SQL
// statements ask shouldStop() as they run, so that neither the page's time
// limit nor the server's stop (Ctrl+C on the command line) waits for a
// statement that takes minutes (the script itself keeps to its own time
// limit). One page runs at a time.
class RunningPage {
public:
    // Marks the start and end of a page run.
    static void begin(int timeLimitMs);
    static void end();

    // True once the page's time is up or a stop was asked for.
    static bool shouldStop();

    // Asks the running page's statements, and those of every page after
    // it, to stop. Safe to call from a signal handler or another thread.
    static void requestStop();
    static void clearStop();
    static bool stopRequested();
};

} // namespace preview
