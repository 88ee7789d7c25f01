#pragma once
// The private copy of the program folder that a study's session works on.
//
// It lives in the program's private temporary folder (<temp>/aubelys-<uid>, mode 0700,
// refused when it belongs to someone else or is a link), in a folder of its own
// "etude-<process>-XXXXXX" made atomically with mode 0700; its files are made 0600, never
// through a link. Only what a calculation reads is copied: the text files (designs, the
// help-text file, records, the windows' scratch files without extension) of the program
// folder and of its data folders; pictures, pages, exports and links stay out.
//
// The copy is removed when it is dropped, and by the next study of any run once the
// process that made it is gone (a run that was killed); so are the copies that earlier
// versions left in the shared temporary folder. While a copy exists, SIGINT and
// SIGTERM are only noted by their handler; the study's runner then removes every copy and
// delivers the signal as it would have been without the study (a second signal is
// delivered at once).
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>

namespace aub {

class PrivateCopy {
public:
    PrivateCopy() = default;
    ~PrivateCopy() { remove(); }
    PrivateCopy(const PrivateCopy&) = delete;
    PrivateCopy& operator=(const PrivateCopy&) = delete;

    // Makes the copy of `programFolder`; the French message when it cannot (the temporary
    // space full, no private temporary folder), and then nothing is left behind.
    std::string make(const std::filesystem::path& programFolder);
    // Empty before make() and after remove().
    const std::filesystem::path& path() const { return path_; }
    void remove();

    // True once SIGINT or SIGTERM arrived while a copy existed.
    static bool interrupted();
    // Removes every copy of this process, then delivers the signal that arrived. Returns
    // only when the program's own handling of that signal does not end it.
    static void deliverInterruption();

private:
    std::filesystem::path path_;
};

// What tests replace: where the private temporary folder is made (the system's temporary
// folder when empty), and how the bytes of a copied file are written (the system's write
// when empty; returns the count written, or -1 with errno set).
struct PrivateCopyHooks {
    std::filesystem::path temporaryBase;
    std::function<long long(int fd, const char* bytes, std::size_t size)> write;
};
PrivateCopyHooks& privateCopyHooks();

// Removes the copies in `privateFolder` whose process is gone; the others (this process's,
// a running study's, anything not named like a copy, links) stay.
void removeStaleCopies(const std::filesystem::path& privateFolder);

// Removes the copies that earlier versions left straight in `base` (the system's temporary
// folder, "aubelys-etude-*", readable by all): this user's folders untouched for a day.
void removeEarlierVersionCopies(const std::filesystem::path& base);

}  // namespace aub
