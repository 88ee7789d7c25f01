#include "files/AppFolder.h"

#include "core/CalcError.h"
#include "files/TextFile.h"

#include <cstdlib>
#include <fstream>
#include <random>
#include <string>

// Where an installed program keeps its delivered data, relative to its executable's folder
// (bin/ and share/aubelys/ under one prefix), so that a moved installation still finds it.
#ifndef AUBELYS_INSTALLED_DATA
#define AUBELYS_INSTALLED_DATA "../share/aubelys"
#endif

namespace aub {

namespace fs = std::filesystem;

namespace {

constexpr const char* HelpFileName = "Microfich.txt";

bool holdsHelpFile(const fs::path& dir) { return fileExists(dir, HelpFileName); }

// A folder is writable when a file can be created in it and removed again.
bool isWritableFolder(const fs::path& dir) {
    std::random_device rd;
    const fs::path probe = dir / (".aubelys-essai-" + std::to_string(rd()) + ".tmp");
    std::error_code ec;
    if (fs::exists(probe, ec)) return false;
    {
        std::ofstream out(probe, std::ios::binary);
        if (!out) return false;
        out << 'x';
        out.flush();
        if (!out) {
            out.close();
            fs::remove(probe, ec);
            return false;
        }
    }
    return fs::remove(probe, ec) && !ec;
}

fs::path envPath(const char* name) {
    const char* v = std::getenv(name);
    if (v == nullptr || *v == '\0') return {};
    fs::path p = pathFromUtf8(v);
    return p.is_absolute() ? p : fs::path();
}

fs::path perUserFolder() {
#ifdef _WIN32
    if (fs::path base = envPath("LOCALAPPDATA"); !base.empty()) return base / "Aubelys";
    if (fs::path base = envPath("APPDATA"); !base.empty()) return base / "Aubelys";
#else
    if (fs::path base = envPath("XDG_DATA_HOME"); !base.empty()) return base / "Aubelys";
    if (fs::path home = envPath("HOME"); !home.empty()) return home / ".local" / "share" / "Aubelys";
#endif
    std::error_code ec;
    return fs::temp_directory_path(ec) / "Aubelys";
}

void createFolder(const fs::path& dir) {
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec) throw CalcError(fileErrorCode(ec));
    if (!fs::is_directory(dir, ec)) throw CalcError(ErrPathNotFound);
}

// The sub-folder of `dir` named `name` without regard to case, if there is one.
std::optional<fs::path> existingFolder(const fs::path& dir, const fs::path& name) {
    const std::string wanted = pathToUtf8(name);
    std::error_code ec;
    if (fs::is_directory(dir / name, ec)) return dir / name;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code sec;
        if (it->is_directory(sec) && sameFileName(pathToUtf8(it->path().filename()), wanted)) return it->path();
    }
    return std::nullopt;
}

// Data files that windows read at opening and that came with later versions: a
// folder seeded by an earlier version receives them when they are missing (never
// overwritten, so a person's edits stay).
constexpr const char* LaterDeliveredFiles[] = {"DomainesMachines.txt"};

void addLaterDeliveredFiles(const fs::path& from, const fs::path& dir) {
    std::error_code ec;
    if (from.empty() || fs::equivalent(from, dir, ec)) return;
    for (const char* name : LaterDeliveredFiles) {
        if (fileExists(dir, name)) continue;
        const auto source = findFile(from, name);
        if (!source) continue;
        try {
            saveBytes(dir / name, readFileBytes(*source));
        } catch (const CalcError&) {
            // A folder that cannot take it: the window that reads it says so.
        }
    }
}

// A folder that is new to the program receives the delivered data.
fs::path prepared(const fs::path& dir, const fs::path& executableDir) {
    createFolder(dir);
    if (!holdsHelpFile(dir))
        seedFolder(deliveredDataFolder(executableDir), dir);
    else
        addLaterDeliveredFiles(deliveredDataFolder(executableDir), dir);
    return dir;
}

}  // namespace

fs::path installedDataFolder(const fs::path& executableDir) {
    if (executableDir.empty()) return {};
    const fs::path shared = executableDir / pathFromUtf8(AUBELYS_INSTALLED_DATA);
    std::error_code ec;
    if (fs::is_directory(shared, ec) && holdsHelpFile(shared)) return shared.lexically_normal();
    return {};
}

fs::path deliveredDataFolder(const fs::path& executableDir) {
    std::error_code ec;
    fs::path beside = executableDir / "data";
    if (fs::is_directory(beside, ec) && holdsHelpFile(beside)) return beside;
    if (fs::path shared = installedDataFolder(executableDir); !shared.empty()) return shared;
#ifdef AUBELYS_DATA_SOURCE
    fs::path source = pathFromUtf8(AUBELYS_DATA_SOURCE);
    if (fs::is_directory(source, ec)) return source;
#endif
    return {};
}

namespace {

fs::path chooseAppFolder(const std::optional<fs::path>& chosen, const fs::path& executableDir) {
    std::error_code ec;
    if (chosen && !chosen->empty()) {
        fs::path dir = fs::absolute(*chosen, ec);
        if (ec) dir = *chosen;
        return prepared(dir, executableDir);
    }
    // An installed program never writes beside itself.
    if (!executableDir.empty() && installedDataFolder(executableDir).empty() && holdsHelpFile(executableDir) &&
        isWritableFolder(executableDir))
        return executableDir;
    return prepared(perUserFolder(), executableDir);
}

}  // namespace

fs::path resolveAppFolder(const std::optional<fs::path>& chosen, const fs::path& executableDir) {
    fs::path dir = chooseAppFolder(chosen, executableDir);
    // What an interrupted save left behind goes when the folder is opened.
    removeStaleTemporaryFiles(dir);
    return dir;
}

namespace {

// `root` is the folder being seeded: when it lies inside the delivered data (a folder
// chosen there), it is not copied into itself.
void seedInto(const fs::path& from, const fs::path& to, const fs::path& root) {
    createFolder(to);
    std::error_code ec;
    for (fs::directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path name = it->path().filename();
        std::error_code sec;
        if (it->is_directory(sec)) {
            if (fs::equivalent(it->path(), root, sec)) continue;
            seedInto(it->path(), existingFolder(to, name).value_or(to / name), root);
        } else if (it->is_regular_file(sec)) {
            if (fileExists(to, pathToUtf8(name))) continue;
            // Written through the atomic save, so an interrupted copy leaves no
            // half file that would never be replaced.
            saveBytes(to / name, readFileBytes(it->path()));
        }
    }
    if (ec) throw CalcError(fileErrorCode(ec));
}

}  // namespace

void seedFolder(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    if (from.empty() || !fs::is_directory(from, ec)) return;
    createFolder(to);
    if (fs::equivalent(from, to, ec)) return;
    seedInto(from, to, to);
}

std::string withSeparator(const fs::path& folder) {
    std::string s = pathToUtf8(folder);
    if (s.empty()) return s;
    const char sep = static_cast<char>(fs::path::preferred_separator);
    if (s.back() != sep && s.back() != '/') s += sep;
    return s;
}

std::string overwriteQuestion() { return "Il y a déjà un fichier de ce nom\nVoulez vous l'écraser ?"; }

}  // namespace aub
