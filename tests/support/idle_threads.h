#pragma once

namespace zvk::test {

// True when no other thread of this process runs or waits for the disk: each waits for a
// lock, a condition, a clock or another process, so that only time can move the program
// on. Reads the kernel's view of the threads (Linux, or Wine on Linux).
bool OtherThreadsAsleep();

} // namespace zvk::test
