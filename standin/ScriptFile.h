#pragma once
#include "Script.h"

// The script named by VD_STANDIN_SCRIPT; empty when the variable is unset or
// the file cannot be read. Skipped lines are logged.
[[nodiscard]] Script LoadScriptFromEnvironment();
