#pragma once
// The program's command line, read by the rules Windows programs follow, and the exam it
// asks to open. Portable, so that the rules are tested natively.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quizmora {

// Splits a whole command line (as GetCommandLineW gives it) into its arguments, the program
// name first. The program name ends at the next quotation mark when it starts with one,
// else at the first space or tab; it knows no escapes. Each later argument ends at a space
// or tab outside quotation marks; a quotation mark starts or ends a quoted part and is
// dropped; backslashes count only before a quotation mark, where each pair becomes one
// backslash and a backslash left over makes the mark a literal one; inside a quoted part
// two quotation marks in a row stand for one literal mark and end the quoted part (as
// CommandLineToArgvW reads them).
std::vector<std::u16string> splitCommandLine(std::u16string_view commandLine);

// The exam to open at start: the first argument after the program name, as it stands.
// Further arguments are ignored. None when there is no argument or the first is empty
// (`""`), so that a stray pair of quotation marks opens nothing rather than failing.
std::optional<std::u16string> examPathFromCommandLine(std::u16string_view commandLine);

}  // namespace quizmora
