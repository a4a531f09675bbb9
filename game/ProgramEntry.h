#pragma once

#include <string>

namespace Tamrisk {

// The statistics page the desktop is asked to open after every run. The
// address lies in a domain reserved for documentation: no real page is
// published yet.
inline constexpr const char* kStatisticsAddress = "https://statistics.example.org/tamrisk";

// The program: the game loader's whole run, then the statistics page, also
// after a fatal error. 1 when the run ended in a "Fatal Error" box, else 0,
// so that a script can tell.
int RunProgram(const std::string& commandLine);

} // namespace Tamrisk
