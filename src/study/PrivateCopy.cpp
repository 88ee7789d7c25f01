#include "study/PrivateCopy.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <mutex>
#include <string_view>
#include <system_error>
#include <vector>

#include "core/CalcError.h"
#include "core/NumberText.h"
#include "files/TextFile.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace aub {

namespace fs = std::filesystem;

PrivateCopyHooks& privateCopyHooks() {
    static PrivateCopyHooks hooks;
    return hooks;
}

namespace {

constexpr std::string_view CopyPrefix = "etude-";
// Where earlier versions made their copies, straight in the system's temporary folder.
constexpr std::string_view EarlierPrefix = "aubelys-etude-";

// ------------------------------------------------------------ interruption

// The copies of this process; the signal handlers are installed while there is one.
std::mutex liveMutex;
std::vector<PrivateCopy*> liveCopies;

volatile std::sig_atomic_t caughtSignal = 0;

#ifndef _WIN32
constexpr int Watched[] = {SIGINT, SIGTERM};
struct sigaction previousAction[2];
bool handled[2] = {false, false};

int watchedIndex(int sig) { return sig == SIGINT ? 0 : 1; }

// Only async-signal-safe work: the signal is noted for the runner; a second one gets the
// handling it had before the study and is delivered at once.
extern "C" void onInterruption(int sig) {
    if (caughtSignal != 0) {
        ::sigaction(sig, &previousAction[watchedIndex(sig)], nullptr);
        ::raise(sig);
        return;
    }
    caughtSignal = sig;
}

void installHandlers() {
    for (int i = 0; i < 2; ++i) {
        handled[i] = false;
        if (::sigaction(Watched[i], nullptr, &previousAction[i]) != 0) continue;
        // A signal the program was started to ignore stays ignored.
        if (!(previousAction[i].sa_flags & SA_SIGINFO) && previousAction[i].sa_handler == SIG_IGN) continue;
        struct sigaction mine = {};
        mine.sa_handler = onInterruption;
        sigemptyset(&mine.sa_mask);
        mine.sa_flags = SA_RESTART;  // a file read in progress goes on
        handled[i] = ::sigaction(Watched[i], &mine, nullptr) == 0;
    }
}

void restoreHandlers() {
    for (int i = 0; i < 2; ++i)
        if (handled[i]) ::sigaction(Watched[i], &previousAction[i], nullptr);
    handled[0] = handled[1] = false;
}
#else
void (*previousHandler[2])(int) = {SIG_DFL, SIG_DFL};
extern "C" void onInterruption(int sig) {
    if (caughtSignal != 0) {
        std::signal(sig, sig == SIGINT ? previousHandler[0] : previousHandler[1]);
        std::raise(sig);
        return;
    }
    caughtSignal = sig;
}
void installHandlers() {
    previousHandler[0] = std::signal(SIGINT, onInterruption);
    previousHandler[1] = std::signal(SIGTERM, onInterruption);
}
void restoreHandlers() {
    std::signal(SIGINT, previousHandler[0]);
    std::signal(SIGTERM, previousHandler[1]);
}
#endif

void registerCopy(PrivateCopy* copy) {
    std::lock_guard lock(liveMutex);
    if (liveCopies.empty()) installHandlers();
    liveCopies.push_back(copy);
}

// When the last copy goes, the handlers are put back and a signal noted meanwhile is
// delivered as it would have been.
void unregisterCopy(PrivateCopy* copy) {
    bool last = false;
    {
        std::lock_guard lock(liveMutex);
        auto it = std::find(liveCopies.begin(), liveCopies.end(), copy);
        if (it == liveCopies.end()) return;
        liveCopies.erase(it);
        last = liveCopies.empty();
        if (last) restoreHandlers();
    }
    if (last) {
        const int sig = caughtSignal;
        if (sig != 0) {
            caughtSignal = 0;
            std::raise(sig);
        }
    }
}

// ------------------------------------------------------------ what is copied

// The files a calculation reads: designs and records (".txt", the help-text file among
// them) and the scratch files windows keep without extension ("Tempobuse").
bool readByCalculations(const fs::path& name) {
    const std::string n = pathToUtf8(name);
    if (n.empty() || n.front() == '.') return false;
    const std::string ext = pathToUtf8(name.extension());
    return ext.empty() || equalsNoCase(ext, ".txt");
}

std::string fullMessage(const fs::path& where) {
    return "Etude impossible : l'espace temporaire est plein (" + pathToUtf8(where) + ")";
}

bool meansFull(int e) {
#ifdef EDQUOT
    if (e == EDQUOT) return true;
#endif
    return e == ENOSPC;
}

// The message for a failure to write the copy.
std::string writeFailure(int e, const fs::path& where) {
    if (meansFull(e)) return fullMessage(where);
    const std::error_code ec(e, std::generic_category());
    return "Etude impossible : copie dans le dossier temporaire impossible (" + errorDescription(fileErrorCode(ec)) +
           ")";
}

#ifndef _WIN32

struct Fd {
    int fd = -1;
    explicit Fd(int f) : fd(f) {}
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
};

long long writeBytes(int fd, const char* p, std::size_t n) {
    const auto& hook = privateCopyHooks().write;
    if (hook) return hook(fd, p, n);
    return static_cast<long long>(::write(fd, p, n));
}

// Copies one file into the folder open as `dirFd`, made 0600 and never through a link.
// 0 when done or when the source cannot be read (the window that reads it will say so);
// the errno of the failure to write otherwise.
int copyFileInto(const fs::path& source, int dirFd, const fs::path& name) {
    Fd in(::open(source.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK));
    if (in.fd < 0) return 0;
    struct stat st;
    if (::fstat(in.fd, &st) != 0 || !S_ISREG(st.st_mode)) return 0;
    Fd out(::openat(dirFd, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (out.fd < 0) return errno;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(in.fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) continue;
            return 0;  // the source failed: the copy keeps what was read
        }
        if (got == 0) break;
        const char* p = buffer;
        std::size_t left = static_cast<std::size_t>(got);
        while (left > 0) {
            errno = 0;
            const long long n = writeBytes(out.fd, p, left);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) return n < 0 && errno != 0 ? errno : ENOSPC;
            p += n;
            left -= static_cast<std::size_t>(n);
        }
    }
    const int closing = out.fd;
    out.fd = -1;
    if (::close(closing) != 0 && errno != EINTR) return errno;
    return 0;
}

// The files a calculation reads of `from` into the folder open as `dirFd`.
int copyFilesInto(const fs::path& from, int dirFd) {
    std::error_code ec;
    for (fs::directory_iterator it(from, fs::directory_options::skip_permission_denied, ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code kind;
        if (it->is_symlink(kind) || !it->is_regular_file(kind) || !readByCalculations(it->path().filename())) continue;
        if (int e = copyFileInto(it->path(), dirFd, it->path().filename())) return e;
    }
    return 0;
}

int copyFolder(const fs::path& from, int dirFd) {
    if (int e = copyFilesInto(from, dirFd)) return e;
    // The data folders one level down (the trip hammer reads its design there).
    std::error_code ec;
    for (fs::directory_iterator it(from, fs::directory_options::skip_permission_denied, ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code kind;
        const fs::path name = it->path().filename();
        if (it->is_symlink(kind) || !it->is_directory(kind) || pathToUtf8(name).starts_with(".")) continue;
        bool wanted = false;
        std::error_code sec;
        for (fs::directory_iterator f(it->path(), fs::directory_options::skip_permission_denied, sec); !sec && f != end;
             f.increment(sec)) {
            std::error_code fk;
            if (!f->is_symlink(fk) && f->is_regular_file(fk) && readByCalculations(f->path().filename())) {
                wanted = true;
                break;
            }
        }
        if (!wanted) continue;
        if (::mkdirat(dirFd, name.c_str(), 0700) != 0) return errno;
        Fd sub(::openat(dirFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (sub.fd < 0) return errno;
        if (int e = copyFilesInto(it->path(), sub.fd)) return e;
    }
    return 0;
}

// The process named in a copy's folder name, or 0.
long processOf(std::string_view name) {
    if (!name.starts_with(CopyPrefix)) return 0;
    name.remove_prefix(CopyPrefix.size());
    long pid = 0;
    std::size_t i = 0;
    for (; i < name.size() && name[i] >= '0' && name[i] <= '9' && pid < 100000000; ++i)
        pid = pid * 10 + (name[i] - '0');
    if (i == 0 || i >= name.size() || name[i] != '-') return 0;
    return pid;
}

bool processGone(long pid) {
    if (pid <= 0) return false;
    if (pid == static_cast<long>(::getpid())) return false;
    return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

#endif

}  // namespace

void removeStaleCopies(const fs::path& folder) {
#ifndef _WIN32
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = pathToUtf8(it->path().filename());
        if (!processGone(processOf(name))) continue;
        struct stat st;
        if (::lstat(it->path().c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid()) continue;
        std::error_code rec;
        fs::remove_all(it->path(), rec);  // links inside are removed, never followed
    }
#else
    (void)folder;
#endif
}

void removeEarlierVersionCopies(const fs::path& base) {
#ifndef _WIN32
    const auto limit = fs::file_time_type::clock::now() - std::chrono::hours(24);
    std::error_code ec;
    for (fs::directory_iterator it(base, ec), end; !ec && it != end; it.increment(ec)) {
        if (!pathToUtf8(it->path().filename()).starts_with(EarlierPrefix)) continue;
        struct stat st;
        if (::lstat(it->path().c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid()) continue;
        std::error_code tec;
        const auto written = fs::last_write_time(it->path(), tec);
        if (tec || written > limit) continue;
        std::error_code rec;
        fs::remove_all(it->path(), rec);
    }
#else
    (void)base;
#endif
}

std::string PrivateCopy::make(const fs::path& programFolder) {
    remove();
    fs::path base = privateCopyHooks().temporaryBase;
    std::error_code ec;
    if (base.empty()) base = fs::temp_directory_path(ec);
    if (ec || base.empty()) return "Etude impossible : pas de dossier temporaire";
    fs::path mine;
    try {
        mine = privateFolder(base);
    } catch (const CalcError& e) {
        if (e.code() == ErrDiskFull) return fullMessage(base);
        return "Etude impossible : pas de dossier temporaire (" + e.description() + ")";
    }
    removeStaleCopies(mine);
    removeEarlierVersionCopies(base);
    registerCopy(this);
#ifndef _WIN32
    std::string pattern = pathToUtf8(mine / (std::string(CopyPrefix) + std::to_string(::getpid()) + "-XXXXXX"));
    if (::mkdtemp(pattern.data()) == nullptr) {
        const int e = errno;
        unregisterCopy(this);
        return writeFailure(e, mine);
    }
    path_ = pathFromUtf8(pattern);
    int failed = 0;
    {
        Fd dir(::open(path_.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        failed = dir.fd < 0 ? errno : copyFolder(programFolder, dir.fd);
    }
    if (failed != 0) {
        remove();
        return writeFailure(failed, mine);
    }
#else
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
        fs::path p = mine / (std::string(CopyPrefix) + std::to_string(attempt) + "-" + std::to_string(std::rand()));
        if (fs::create_directory(p, ec) && !ec) path_ = p;
    }
    if (path_.empty()) {
        unregisterCopy(this);
        return "Etude impossible : pas de dossier temporaire";
    }
    for (fs::directory_iterator it(programFolder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code kind;
        if (it->is_symlink(kind) || !it->is_regular_file(kind) || !readByCalculations(it->path().filename())) continue;
        std::error_code copy;
        fs::copy_file(it->path(), path_ / it->path().filename(), copy);
        if (copy && copy != std::errc::permission_denied) {
            const int e = copy.value();
            remove();
            return writeFailure(e, mine);
        }
    }
#endif
    return {};
}

void PrivateCopy::remove() {
    if (path_.empty()) return;
    std::error_code ec;
    fs::remove_all(path_, ec);
    path_.clear();
    unregisterCopy(this);
}

bool PrivateCopy::interrupted() { return caughtSignal != 0; }

void PrivateCopy::deliverInterruption() {
    std::vector<PrivateCopy*> all;
    {
        std::lock_guard lock(liveMutex);
        all = liveCopies;
    }
    for (PrivateCopy* copy : all) copy->remove();
}

}  // namespace aub
