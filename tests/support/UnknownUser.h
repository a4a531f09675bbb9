#pragma once

#include <functional>

namespace Testing {

// Runs `holds` in a forked child that has become a user the password
// database does not know, and gives the child's exit status: 0 when `holds`
// returned true, 1 when it returned false, 2 when the user could not be
// taken, -1 when the child did not end normally. Only the superuser can
// become such a user; the caller skips otherwise. The child leaves by
// _exit, so nothing the parent set up is torn down twice.
int ExitStatusAsUnknownUser(const std::function<bool()>& holds);

} // namespace Testing
