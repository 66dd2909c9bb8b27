#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace uninstall {

// Path of the self-deleting batch file in the (narrow) installation folder;
// none when it would not fit the 260-byte path buffer.
[[nodiscard]] std::optional<std::string> BatchFilePath(std::string_view folder);

// The batch file's bytes, its terminating zero included; none when the text
// would not fit its 1024-byte buffer. A batch never acts on a cut path.
[[nodiscard]] std::optional<std::string> BuildSelfDeleteBatchText(std::string_view folder);

}  // namespace uninstall
