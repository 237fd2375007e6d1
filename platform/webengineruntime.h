#pragma once

namespace gridlore {

// Settings Qt WebEngine reads only once, at start-up: call this before the
// QApplication is created.
void prepareWebEngine();

// Starts the program again from the top, once, with glibc's per-thread caches
// of freed blocks turned off; returns in the restarted program, or at once if
// it cannot restart. Call it before anything the program must not do twice.
void restartWithoutThreadCaches(char **argv);

} // namespace gridlore
