#pragma once
// Where designs live. Resolution:
//  - an explicit folder (--dossier DIR): used as is, created if needed, and seeded
//    from the delivered data when it does not hold "Microfich.txt" yet;
//  - otherwise the executable's folder when it holds the delivered data and is writable,
//    unless the program is installed (its data under ../share/aubelys);
//  - otherwise a per-user folder ($XDG_DATA_HOME/Aubelys or ~/.local/share/Aubelys),
//    seeded from the delivered data on first start.
// Seeding copies every delivered file that is missing; it never overwrites.
// Temporary files that an interrupted save left in the folder are removed.
#include <filesystem>
#include <optional>
#include <string>

namespace aub {

// The delivered data: "data" beside the executable (a build folder), else the installed
// data (../share/aubelys from the executable's folder), else the source tree's data folder.
std::filesystem::path deliveredDataFolder(const std::filesystem::path& executableDir);

// The installed data folder ../share/aubelys when it holds the delivered data, else empty.
std::filesystem::path installedDataFolder(const std::filesystem::path& executableDir);

std::filesystem::path resolveAppFolder(const std::optional<std::filesystem::path>& chosen,
                                       const std::filesystem::path& executableDir);

// Copies every file of `from` (recursively) that is missing in `to`.
void seedFolder(const std::filesystem::path& from, const std::filesystem::path& to);

// `folder` followed by the platform's separator, as AppFolder is kept.
std::string withSeparator(const std::filesystem::path& folder);

// The question a save asks before it replaces a file of the program folder, two lines.
std::string overwriteQuestion();

}  // namespace aub
