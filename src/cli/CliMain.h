#pragma once
// aubelys-cli [--dossier DIR] [--json] [--virgule] [--repondre TEXTE]... FENETRE [ETAPE]...
#include <ostream>
#include <string>
#include <vector>

namespace aub {

// Runs the command line; returns the exit status (0 ok, 2 unknown name, 3 missing answer,
// 1 bad usage). `executableDir` locates the delivered data.
int cliMain(const std::vector<std::string>& args, const std::string& executableDir, std::ostream& out,
            std::ostream& err);

}  // namespace aub
