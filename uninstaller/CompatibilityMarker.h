#pragma once

// Records the uninstaller in the compatibility assistant's list of handled
// programs (value: its own full path, REG_DWORD 1). True when written.
[[nodiscard]] bool MarkCompatibilityPersisted();
