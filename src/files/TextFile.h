#pragma once
// Text files of the program: written in Windows-1252 with CR LF (like designs made
// on other machines), read from Windows-1252 or UTF-8 with CR LF or LF.
// Strings inside the program are UTF-8.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace aub {

namespace fs = std::filesystem;

std::string cp1252ToUtf8(std::string_view bytes);
std::string utf8ToCp1252(std::string_view text);  // characters outside the code page become '?'
bool isValidUtf8(std::string_view bytes);

// Paths from and to the program's UTF-8 strings, whatever the platform's own encoding.
fs::path pathFromUtf8(std::string_view text);
std::string pathToUtf8(const fs::path& path);

// The program's error number for a file-system failure (61 disk full, 70 permission,
// 76 missing folder, 75 otherwise), for the layers that copy, delete or create folders.
int fileErrorCode(const std::error_code& ec);

// The largest file the program reads whole: ten times its largest own file (the
// help texts); no design comes near it.
constexpr std::uintmax_t MaxFileBytes = std::uintmax_t{4} * 1024 * 1024;

// Whole file as UTF-8 (BOM dropped); Windows-1252 when the bytes are not valid UTF-8.
// Missing file -> CalcError(53); missing folder on the way 76, permission 70, other failures 75.
// Anything that is not a regular file (a folder, a pipe, a device, a link to one of
// them) and a file beyond MaxFileBytes give 75 without being read.
std::string readTextFile(const fs::path& path, std::uintmax_t limit = MaxFileBytes);

// Whole file as it is on disk; failures as readTextFile. A record file that the
// program itself makes larger gives its own limit.
std::string readFileBytes(const fs::path& path, std::uintmax_t limit = MaxFileBytes);

// At most `length` bytes from byte `offset` of a regular file (fewer at its end, none
// past it); no size limit, failures as readFileBytes. Used for record files.
std::string readFilePart(const fs::path& path, std::uintmax_t offset, std::size_t length);

// Lines of a file, CR LF or LF, last empty line dropped.
std::vector<std::string> readLines(const fs::path& path, std::uintmax_t limit = MaxFileBytes);

// Atomic save: the lines are written in Windows-1252, each ended by CR LF, to a
// temporary file in the same folder, flushed, then renamed over `path`. On any
// failure the previous file is untouched, the temporary file is removed and
// CalcError is thrown (61 disk full, 70 permission, 76 missing folder, 75 otherwise).
// Nothing is written through a symbolic link: a link at `path` is itself replaced
// by the saved file, and what it pointed to stays as it was.
void saveLines(const fs::path& path, const std::vector<std::string>& lines);
// The bytes saveLines writes for `lines` (Windows-1252, CR LF), to be measured first.
std::string linesBytes(const std::vector<std::string>& lines);
// Same with raw bytes (used by record files).
void saveBytes(const fs::path& path, std::string_view bytes);

// Temporary files of the atomic save (".aubelys-*.tmp") that an interrupted save left
// in `dir` or in its sub-folders, older than a few minutes (a save running in another
// copy of the program keeps its own), are removed. Failures are ignored.
void removeStaleTemporaryFiles(const fs::path& dir);

// A folder inside `base` (the system's temporary folder) that only this user may
// create and enter, created when missing: files written there cannot be replaced
// or redirected by another user. CalcError(70) when the folder found there belongs
// to someone else or is not a plain folder.
fs::path privateFolder(const fs::path& base);

// Field reader over a text: a field ends at a comma or at a line end; surrounding
// blanks are dropped; a field in double quotes may hold commas and loses its quotes.
class FieldReader {
public:
    explicit FieldReader(std::string text);
    static FieldReader fromFile(const fs::path& path);
    bool atEnd() const;                   // no field left
    std::string next();                   // CalcError(62) past the end
    float nextNumber(bool decimalComma);  // next field through the lenient/regional reading, no message
    std::vector<std::string> rest();      // every field left

private:
    std::string text_;
    std::size_t pos_ = 0;
};

// One number written with a decimal comma ("2,5", "-0,75", "1,5E-3"), blanks around allowed:
// the design reader keeps such a line whole, and a writer need not quote it.
bool isDecimalCommaNumber(std::string_view text);

// A design-file line for a typed text. A text holding a comma (a wheel name "Moulin, aval")
// would be read back as two values and shift the following ones: it is written between
// double quotes, which the reader removes. A quoted value cannot hold a double quote, so
// those of such a text become single quotes. Numbers with a decimal comma stay as typed.
std::string protectedLine(const std::string& text);

// Design files: one value per line. A line that is one number with a decimal comma
// ("2,5") is one value; any other line is split at commas as the field reader does.
std::vector<std::string> readDesignValues(const fs::path& path);

// File names: matched without regard to case (ASCII and Latin-1 letters).
// Files of `dir` matching a wildcard pattern ("H*.txt", "Sageb??.txt"), names only,
// sorted without regard to case. A missing folder gives an empty list.
std::vector<std::string> listFiles(const fs::path& dir, std::string_view pattern);
bool wildcardMatch(std::string_view pattern, std::string_view name);  // case-blind
bool sameFileName(std::string_view a, std::string_view b);            // case-blind equality
// The existing file of `dir` whose name equals `name` without regard to case.
std::optional<fs::path> findFile(const fs::path& dir, std::string_view name);
bool fileExists(const fs::path& dir, std::string_view name);

// The program's own files in its folder (help texts, long-flume records, exchange
// files of the general page and the turbine window), compared without regard to case:
// no design save replaces them and no design deletion removes them.
bool isProgramFile(std::string_view name);

// A name typed by the person must be a plain file name: empty, a path separator,
// "..", a control character, a character that reverses the writing direction or one
// of : * ? " < > | are refused, and so is a name of the program's own files. Returns
// the French message to show, or nothing when the name is acceptable.
std::optional<std::string> checkTypedName(std::string_view name);

}  // namespace aub
