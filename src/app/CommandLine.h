#pragma once
// The options of the program and of aubelys-cli, read by one parser (getopt_long):
// "--NAME VALUE" or "--NAME=VALUE" for an option that takes a value, "--NAME" for a switch,
// "-h" for the help. The options come first; the first word that is not one (the window's
// name) and every word after it, options or not, are the rest: the window and its steps.
#include <map>
#include <span>
#include <string>
#include <vector>

namespace aub {

struct CommandOption {
    const char* name;  // without the leading "--"
    bool takesValue;
};

struct CommandLine {
    // Each option given, with its values in the order given ("" for a switch).
    std::map<std::string, std::vector<std::string>> given;
    std::vector<std::string> rest;
    bool help = false;  // --aide, --help or -h
    std::string error;  // in French: an unknown option, a value missing; empty when read

    bool has(const std::string& name) const { return given.count(name) > 0; }
    // The last value of the option, "" when it was not given.
    std::string value(const std::string& name) const;
    const std::vector<std::string>& values(const std::string& name) const;
};

// Reads the words after the program's name. "--aide" and "--help" need not be in the list.
CommandLine readCommandLine(const std::vector<std::string>& args, std::span<const CommandOption> options);

}  // namespace aub
