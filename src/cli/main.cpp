#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "cli/CliMain.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::error_code ec;
#ifdef __EMSCRIPTEN__
    // Under node the loader names the folder of the program's script.
    const char* loader = std::getenv("AUBELYS_PROGRAM_DIR");
    std::string dir = loader != nullptr ? loader : std::filesystem::current_path(ec).string();
#else
    auto exe = std::filesystem::canonical("/proc/self/exe", ec);
    std::string dir = ec ? std::filesystem::current_path().string() : exe.parent_path().string();
#endif
    return aub::cliMain(args, dir, std::cout, std::cerr);
}
