#pragma once
// Parses the tool's arguments and runs the chosen command.

#include <iosfwd>

namespace quizmora {

// Returns the process exit code; help goes to `out`, a usage error as one line to `err`.
int runCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace quizmora
