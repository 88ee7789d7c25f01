#pragma once
// The capture option: pictures of the windows exactly as the program shows them,
// without any real dialog (questions and input boxes answer from a list, like the
// command line), so it runs unattended under a virtual or offscreen display.
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace aub {

struct CaptureRequest {
    std::filesystem::path outDir;                 // created when missing
    std::optional<std::filesystem::path> folder;  // --dossier
    std::vector<std::string> answers;             // --repondre, in order
    // Empty: every registered window in turn, each opened as its menu entry opens
    // it in a fresh session, gives <name>.png. Otherwise the window is opened, the
    // steps run, and every loaded window (shown or not) gives <name>.png.
    std::string window;
    std::vector<std::string> steps;
};

// Writes the pictures, and lists on `out` each file written and each dialog shown.
// Returns 0, 2 for an unknown window, control or menu entry, 3 for a missing answer,
// 1 for a file that could not be written or another failure.
int runCapture(const CaptureRequest& request, const std::filesystem::path& executableDir, std::ostream& out,
               std::ostream& err);

}  // namespace aub
