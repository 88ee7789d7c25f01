#pragma once
// The --pdf option: a window is opened and driven by its steps as on the command line
// (answers from a list, no real dialog), then the dossier of that window and of the
// other windows the steps act on is written as PDF.
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace aub {

// `command` holds the window then its steps. Returns 0 when written, 2 for an unknown
// window, control or menu entry, 3 for a missing answer, 1 when the file cannot be
// written (a French message on `err`, nothing left behind).
int runPdf(const std::filesystem::path& target, const std::optional<std::filesystem::path>& folder,
           const std::vector<std::string>& answers, const std::string& study, const std::vector<std::string>& command,
           const std::filesystem::path& executableDir, std::ostream& out, std::ostream& err);

}  // namespace aub
