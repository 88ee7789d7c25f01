#pragma once
// aubelys-cli [--dossier DIR] [--json] [--virgule] [--repondre TEXTE]... FENETRE [ETAPE]...
//   or, for a parametric study: --etude "P=DE:A:N" [--etude2 "P=V1;V2"] --suivre R... FENETRE [ETAPE]... ACTION
#include <ostream>
#include <string>
#include <vector>

namespace aub {

// Runs the command line; returns the exit status (0 ok, 2 unknown name, 3 missing answer,
// 1 bad usage, 4 a study request that cannot run). `executableDir` locates the delivered data.
int cliMain(const std::vector<std::string>& args, const std::string& executableDir, std::ostream& out,
            std::ostream& err);

}  // namespace aub
