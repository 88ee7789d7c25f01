#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "cli/CliMain.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::error_code ec;
    auto exe = std::filesystem::canonical("/proc/self/exe", ec);
    std::string dir = ec ? std::filesystem::current_path().string() : exe.parent_path().string();
    return aub::cliMain(args, dir, std::cout, std::cerr);
}
