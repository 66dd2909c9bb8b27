#pragma once
#include <optional>
#include <string>

#include "UninstallPlan.h"

// The folder as exact text in the ANSI code page, for the batch file: its
// ANSI form, or its short (8.3) form when only that converts without loss.
// None when neither does: a "?" put in for a lost character is a wildcard.
[[nodiscard]] std::optional<std::string> BatchFolderText(const std::wstring& folder);

// Writes the batch file that deletes the folder after the uninstaller has
// ended into the folder, and starts it hidden. Writes nothing when the path
// or the text would not fit their buffers.
void WriteSelfDeleteBatch(std::string folder);

// The wizard's last step: hands what is left of the installation folder to
// the batch file, when the folder is an installation of the client.
void HandOverToBatch(const UninstallPlan& plan);
