#pragma once
// The menu definition file on disk: a hidden file in the temporary directory,
// named by the six letters the window draws at start-up, written once and
// deleted when the window closes.
#include <string>
#include <string_view>

namespace vc {

// GetTempDirectory() + menuFileName + ".dmt".
std::string MenuFilePath(std::string_view menuFileName);

// Writes the text byte for byte (the configuration lines, each already
// followed by CR LF), replacing any file of that name, and leaves the file
// with the hidden attribute alone. A file that cannot be created or written
// raises EInOutError: Cannot create the menu file "<path>": <reason>.
void WriteMenuFile(const std::string& path, std::string_view text);

// FormClose: deletes the run's menu file if there is one; the result is not
// looked at. An empty name (a run whose configuration was never applied)
// deletes nothing.
void DeleteMenuFile(std::string_view menuFileName);

}  // namespace vc
