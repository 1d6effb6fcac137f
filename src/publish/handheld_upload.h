#pragma once
// Copying the saved exam to a folder of the handheld (a synced or mounted device folder):
// the file on disk goes across under its own name, and a copy that fails half-way leaves
// neither a partial file nor a damaged older copy behind.

#include <filesystem>
#include <string_view>

#include "publish/publish_prompts.h"

namespace quizmora {

inline constexpr std::u16string_view kHandheldFolderTitle =
    u"Choose the handheld folder to copy the exam to";

// Copies `source` to a temporary file beside `target` and renames it to `target` once every
// byte is there, replacing an existing file. False on any failure, with `target` as it was
// and no temporary file left.
bool copyFileSafely(const std::filesystem::path& source, const std::filesystem::path& target);

// The Upload to PocketPC command: the save reminder while the exam has no file; otherwise the
// folder picker (Cancel ends silently), the replace question when the folder already holds a
// file of that name (No ends silently), the copy, and one box saying how it went.
void uploadToHandheld(std::u16string_view filePath, PublishPrompts& prompts);

}  // namespace quizmora
