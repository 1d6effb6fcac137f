#pragma once
// What the recovery file needs from Windows: where it lives, which run of the program this
// is, and whether the run that wrote a file is still going.

#include <filesystem>

#include "editor/recovery_file.h"

namespace quizmora {

// "<local application data>\Quizmora Builder\Recovery"; QUIZMORA_RECOVERY_DIR, when set,
// names another folder (tests keep their files apart with it). Empty when neither is known.
std::filesystem::path recoveryFolder();

ProcessIdentity currentProcessIdentity();

// True while the process `owner` names runs, and also when Windows will not tell (a file
// of a running copy must never be touched).
bool processIsRunning(const ProcessIdentity& owner);

}  // namespace quizmora
