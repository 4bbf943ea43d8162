#pragma once

namespace qor {

// A place in a money-carrying write sequence (the save, its start-up
// recovery) where the process may die. Costs one comparison unless the
// environment names a point number n:
// - QOR_CRASH_AT=n: the process ends at once, without any clean-up (_Exit),
//   when it reaches its n-th point, after printing the point's name on
//   stderr. The fault-injection test runs the save in a child process with
//   n = 1, 2, ... until it finishes.
// - QOR_PAUSE_AT=n: at its n-th point the process prints the point's name on
//   stderr and stops itself (SIGSTOP), so that a test can change the world
//   around it (stop the order server) and then let it go on (SIGCONT). Where
//   there are no such signals (Windows) it goes on at once.
void crashPoint(const char* name);

} // namespace qor
