#pragma once

namespace qor {

// A place in a money-carrying write sequence (the save, its start-up
// recovery) where the process may die. Costs one comparison unless the
// environment variable QOR_CRASH_AT holds a number n: then the process ends
// at once, without any clean-up (_Exit), when it reaches its n-th point,
// after printing the point's name on stderr. The fault-injection test runs
// the save in a child process with n = 1, 2, ... until it finishes.
void crashPoint(const char* name);

} // namespace qor
