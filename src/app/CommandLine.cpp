#include "app/CommandLine.h"

#include <getopt.h>

#include <cstddef>

namespace aub {

std::string CommandLine::value(const std::string& name) const {
    const auto at = given.find(name);
    return at == given.end() || at->second.empty() ? std::string() : at->second.back();
}

const std::vector<std::string>& CommandLine::values(const std::string& name) const {
    static const std::vector<std::string> none;
    const auto at = given.find(name);
    return at == given.end() ? none : at->second;
}

CommandLine readCommandLine(const std::vector<std::string>& args, std::span<const CommandOption> options) {
    CommandLine line;
    // getopt_long reads a C argument vector: the program's name, then copies of the words.
    std::vector<std::string> words;
    words.reserve(args.size() + 1);
    words.emplace_back("aubelys");
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    argv.reserve(words.size() + 1);
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);

    // Help is option 0 and 1, the others follow from 2; getopt_long returns `val` + 256 so
    // that no option is mistaken for a short one.
    constexpr int First = 256;
    std::vector<option> table;
    table.reserve(options.size() + 3);
    table.push_back({"aide", no_argument, nullptr, First});
    table.push_back({"help", no_argument, nullptr, First + 1});
    for (std::size_t i = 0; i < options.size(); ++i)
        table.push_back({options[i].name, options[i].takesValue ? required_argument : no_argument, nullptr,
                         First + 2 + static_cast<int>(i)});
    table.push_back({nullptr, 0, nullptr, 0});

    // "+": stop at the first word that is not an option; ":": report a missing value as ':'.
    // optind = 0 starts the reader afresh (several command lines in one process).
    opterr = 0;
    optind = 0;
    const int argc = static_cast<int>(words.size());
    while (true) {
        const int c = getopt_long(argc, argv.data(), "+:h", table.data(), nullptr);
        if (c == -1) break;
        if (c == 'h' || c == First || c == First + 1) {
            line.help = true;
            continue;
        }
        if (c == ':' || c == '?') {
            const std::string word = optind >= 1 && optind <= argc ? words[static_cast<std::size_t>(optind - 1)] : "";
            if (c == ':')
                line.error = "valeur manquante après l'option " + word.substr(0, word.find('='));
            else
                line.error = "option inconnue : " + word;
            return line;
        }
        const CommandOption& o = options[static_cast<std::size_t>(c - First - 2)];
        line.given[o.name].push_back(o.takesValue && optarg ? optarg : "");
    }
    // "--" ends the options; getopt_long has passed over it.
    for (int i = optind; i < argc; ++i) line.rest.push_back(words[static_cast<std::size_t>(i)]);
    return line;
}

}  // namespace aub
