#include "files/TextFile.h"

#include "core/CalcError.h"
#include "core/NumberText.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace aub {

namespace {

// Windows-1252 bytes 0x80..0x9F. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the control characters of the same value,
// so that any byte survives a read and a write.
constexpr char32_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

char32_t cp1252Char(unsigned char b) { return (b >= 0x80 && b <= 0x9F) ? Cp1252High[b - 0x80] : char32_t(b); }

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 character at s[i]. Returns its length in bytes, or 0 when the
// bytes there are not a well-formed character (overlong forms, surrogates and values
// above U+10FFFF are refused).
std::size_t decodeUtf8(std::string_view s, std::size_t i, char32_t& cp) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    std::size_t len;
    char32_t min;
    if ((b0 & 0xE0) == 0xC0) {
        len = 2, cp = b0 & 0x1F, min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3, cp = b0 & 0x0F, min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4, cp = b0 & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (i + len > s.size()) return 0;
    for (std::size_t k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return len;
}

// Characters of a name, for matching: UTF-8 where well formed, a stray byte read
// as Windows-1252 (a name copied from an older disk).
std::vector<char32_t> nameChars(std::string_view s) {
    std::vector<char32_t> out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
        char32_t cp;
        std::size_t len = decodeUtf8(s, i, cp);
        if (len == 0) {
            cp = cp1252Char(static_cast<unsigned char>(s[i]));
            len = 1;
        }
        out.push_back(cp);
        i += len;
    }
    return out;
}

// Lower case for ASCII, Latin-1 and the letters of Windows-1252 (Œ Š Ž Ÿ).
char32_t foldCase(char32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
    switch (c) {
        case 0x152:
            return 0x153;
        case 0x160:
            return 0x161;
        case 0x17D:
            return 0x17E;
        case 0x178:
            return 0xFF;
        default:
            return c;
    }
}

std::vector<char32_t> foldedChars(std::string_view s) {
    auto v = nameChars(s);
    for (auto& c : v) c = foldCase(c);
    return v;
}

int codeFromErrno(int e) {
    switch (e) {
        case ENOSPC:
#ifdef EDQUOT
        case EDQUOT:
#endif
            return ErrDiskFull;
        case EACCES:
        case EPERM:
        case EROFS:
            return ErrPermission;
        case ENOENT:
        case ENOTDIR:
            return ErrPathNotFound;
        default:
            return ErrPathAccess;
    }
}

[[noreturn]] void throwFromErrno(int e) { throw CalcError(codeFromErrno(e)); }

// The error for a file that cannot be opened for reading.
[[noreturn]] void throwOpenFailure(const fs::path& path, int e) {
    if (e == ENOENT) {
        std::error_code ec;
        const fs::path dir = path.parent_path();
        throw CalcError(dir.empty() || fs::is_directory(dir, ec) ? ErrFileNotFound : ErrPathNotFound);
    }
    if (e == EISDIR) throw CalcError(ErrPathAccess);
    throwFromErrno(e);
}

// Opens a regular file for reading and gives its size. A pipe opens without waiting
// for a writer and a device is never read: both are refused once opened, so that
// what is checked is what would be read.
class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const fs::path& path) {
#ifdef _WIN32
        std::error_code ec;
        const auto st = fs::status(path, ec);
        if (ec || !fs::exists(st)) throwOpenFailure(path, ENOENT);
        if (!fs::is_regular_file(st)) throw CalcError(ErrPathAccess);
        fd_ = _wopen(path.c_str(), _O_RDONLY | _O_BINARY);
        if (fd_ < 0) throwOpenFailure(path, errno);
        size_ = fs::file_size(path, ec);
#else
        errno = 0;
        fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
        if (fd_ < 0) throwOpenFailure(path, errno);
        struct stat st;
        if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
            ::close(fd_);
            throw CalcError(ErrPathAccess);
        }
        size_ = static_cast<std::uintmax_t>(st.st_size);
#endif
    }
    ~ReadOnlyFile() {
#ifdef _WIN32
        _close(fd_);
#else
        ::close(fd_);
#endif
    }
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

    std::uintmax_t size() const { return size_; }

    // Up to `length` bytes from `offset`; fewer at the end of the file.
    std::string read(std::uintmax_t offset, std::size_t length) {
        std::string bytes;
        if (offset >= size_) return bytes;
#ifdef _WIN32
        if (_lseeki64(fd_, static_cast<long long>(offset), SEEK_SET) < 0) throw CalcError(ErrPathAccess);
#else
        if (::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) < 0) throw CalcError(ErrPathAccess);
#endif
        char buf[65536];
        while (bytes.size() < length) {
            const std::size_t want = std::min(sizeof buf, length - bytes.size());
#ifdef _WIN32
            const long long n = _read(fd_, buf, static_cast<unsigned>(want));
#else
            const long long n = ::read(fd_, buf, want);
#endif
            if (n < 0) {
                if (errno == EINTR) continue;
                throw CalcError(ErrPathAccess);
            }
            if (n == 0) break;
            bytes.append(buf, static_cast<std::size_t>(n));
        }
        return bytes;
    }

private:
    int fd_ = -1;
    std::uintmax_t size_ = 0;
};

}  // namespace

std::string readFileBytes(const fs::path& path, std::uintmax_t limit) {
    ReadOnlyFile file(path);
    if (file.size() > limit) throw CalcError(ErrPathAccess);
    // A file growing while it is read is cut at the limit and refused the same way.
    std::string bytes = file.read(0, static_cast<std::size_t>(limit) + 1);
    if (bytes.size() > limit) throw CalcError(ErrPathAccess);
    return bytes;
}

std::string readFilePart(const fs::path& path, std::uintmax_t offset, std::size_t length) {
    ReadOnlyFile file(path);
    return file.read(offset, length);
}

namespace {

// Names of the atomic save's temporary files: ".aubelys-" + 16 hex digits + ".tmp".
constexpr std::string_view TempPrefix = ".aubelys-";
constexpr std::string_view TempSuffix = ".tmp";

std::string randomSuffix() {
    std::random_device rd;
    std::uint64_t v = (std::uint64_t(rd()) << 32) ^ rd();
    v ^= std::uint64_t(std::chrono::steady_clock::now().time_since_epoch().count());
    char buf[17];
    std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(v));
    return buf;
}

// Low-level file calls of the platform; every failure leaves errno set.
#ifdef _WIN32
int openExclusive(const fs::path& p) {
    return _wopen(p.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
}
long long writeSome(int fd, const char* data, std::size_t n) {
    return _write(fd, data, static_cast<unsigned>(std::min<std::size_t>(n, 1u << 30)));
}
int syncFile(int fd) { return _commit(fd); }
int closeFile(int fd) { return _close(fd); }
void keepMode(int, const fs::path&) {}
void syncFolder(const fs::path&) {}
#else
int openExclusive(const fs::path& p) { return ::open(p.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666); }
long long writeSome(int fd, const char* data, std::size_t n) { return ::write(fd, data, n); }
int syncFile(int fd) { return ::fsync(fd); }
int closeFile(int fd) { return ::close(fd); }
// A replaced file keeps its permissions.
void keepMode(int fd, const fs::path& target) {
    struct stat st;
    if (::lstat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode)) ::fchmod(fd, st.st_mode & 07777);
}
// Makes the rename itself durable; a folder that cannot be synced is not an error.
void syncFolder(const fs::path& dir) {
    int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}
#endif

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string trimBlanks(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && isBlank(s[b])) ++b;
    while (e > b && isBlank(s[e - 1])) --e;
    return std::string(s.substr(b, e - b));
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool isDecimalCommaNumber(std::string_view text) {
    const std::string trimmed = trimBlanks(text);
    std::string_view s = trimmed;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < s.size() && isDigit(s[i])) ++i, ++digits;
    if (i >= s.size() || s[i] != ',') return false;
    ++i;
    while (i < s.size() && isDigit(s[i])) ++i, ++digits;
    if (digits == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        std::size_t expDigits = 0;
        while (i < s.size() && isDigit(s[i])) ++i, ++expDigits;
        if (expDigits == 0) return false;
    }
    return i == s.size();
}

// ---------------------------------------------------------------- code page

std::string cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (char c : bytes) appendUtf8(out, cp1252Char(static_cast<unsigned char>(c)));
    return out;
}

std::string utf8ToCp1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        char32_t cp;
        std::size_t len = decodeUtf8(text, i, cp);
        if (len == 0) {
            out += '?';
            ++i;
            continue;
        }
        i += len;
        if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
            out += char(cp);
            continue;
        }
        const auto* hit = std::find(std::begin(Cp1252High), std::end(Cp1252High), cp);
        out += hit != std::end(Cp1252High) ? char(0x80 + (hit - std::begin(Cp1252High))) : '?';
    }
    return out;
}

bool isValidUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t cp;
        std::size_t len = decodeUtf8(bytes, i, cp);
        if (len == 0) return false;
        i += len;
    }
    return true;
}

fs::path pathFromUtf8(std::string_view text) {
    return fs::path(std::u8string(reinterpret_cast<const char8_t*>(text.data()), text.size()));
}

std::string pathToUtf8(const fs::path& path) {
    const std::u8string s = path.u8string();
    return std::string(reinterpret_cast<const char*>(s.data()), s.size());
}

int fileErrorCode(const std::error_code& ec) {
    const std::error_condition cond = ec.default_error_condition();
    if (cond.category() == std::generic_category()) return codeFromErrno(cond.value());
    return ErrPathAccess;
}

// ---------------------------------------------------------------- reading

std::string readTextFile(const fs::path& path, std::uintmax_t limit) {
    std::string bytes = readFileBytes(path, limit);
    if (isValidUtf8(bytes)) {
        if (bytes.starts_with("\xEF\xBB\xBF")) bytes.erase(0, 3);
        return bytes;
    }
    return cp1252ToUtf8(bytes);
}

std::vector<std::string> readLines(const fs::path& path, std::uintmax_t limit) {
    const std::string text = readTextFile(path, limit);
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const std::size_t next = end == std::string::npos ? text.size() : end + 1;
        if (end == std::string::npos) end = text.size();
        if (end > start && text[end - 1] == '\r') --end;
        lines.emplace_back(text, start, end - start);
        start = next;
    }
    return lines;
}

// ---------------------------------------------------------------- saving

std::string linesBytes(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines) {
        bytes += utf8ToCp1252(line);
        bytes += "\r\n";
    }
    return bytes;
}

void saveLines(const fs::path& path, const std::vector<std::string>& lines) { saveBytes(path, linesBytes(lines)); }

void saveBytes(const fs::path& path, std::string_view bytes) {
    // The link itself is what the rename below replaces: a link planted at `path`
    // never leads the save to a file elsewhere.
    const fs::path& target = path;
    std::error_code ec;
    const bool isLink = fs::is_symlink(fs::symlink_status(target, ec));
    const fs::path name = target.filename();
    if (name.empty() || name == "." || name == "..") throw CalcError(ErrPathAccess);
    fs::path dir = target.parent_path();
    if (dir.empty()) dir = ".";

#ifndef _WIN32
    // A file the person made read-only stays as it is, as it would with a plain overwrite.
    if (!isLink && ::access(target.c_str(), F_OK) == 0 && ::access(target.c_str(), W_OK) != 0 &&
        (errno == EACCES || errno == EROFS))
        throwFromErrno(errno);
#else
    (void)isLink;
#endif

    fs::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = dir / (std::string(TempPrefix) + randomSuffix() + std::string(TempSuffix));
        errno = 0;
        fd = openExclusive(temp);
        if (fd < 0 && errno != EEXIST) throwFromErrno(errno);
    }
    if (fd < 0) throw CalcError(ErrPathAccess);

    auto fail = [&](int e) {
        if (fd >= 0) closeFile(fd);
        std::error_code ignored;
        fs::remove(temp, ignored);
        throwFromErrno(e);
    };

    keepMode(fd, target);
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        errno = 0;
        const long long n = writeSome(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            fail(errno);
        }
        if (n == 0) fail(ENOSPC);
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    if (syncFile(fd) != 0) fail(errno);
    const int closed = closeFile(fd);
    fd = -1;
    if (closed != 0) fail(errno);

    fs::rename(temp, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        throw CalcError(fileErrorCode(ec));
    }
    syncFolder(dir);
}

void removeStaleTemporaryFiles(const fs::path& dir) {
    const auto limit = fs::file_time_type::clock::now() - std::chrono::minutes(10);
    std::error_code ec;
    // The program folder and its data folders; links to folders are not followed.
    fs::recursive_directory_iterator it(dir, fs::directory_options::skip_permission_denied, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        if (it.depth() >= 1) it.disable_recursion_pending();
        const std::string n = pathToUtf8(it->path().filename());
        if (n.size() <= TempPrefix.size() + TempSuffix.size() || !n.starts_with(TempPrefix) || !n.ends_with(TempSuffix))
            continue;
        std::error_code sec;
        if (!it->is_regular_file(sec) || it->is_symlink(sec)) continue;
        const auto written = fs::last_write_time(it->path(), sec);
        if (sec || written > limit) continue;
        fs::remove(it->path(), sec);
    }
}

fs::path privateFolder(const fs::path& base) {
#ifdef _WIN32
    // The temporary folder is the user's own on this system.
    const fs::path dir = base / "Aubelys";
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (!fs::is_directory(dir, ec)) throw CalcError(ErrPathAccess);
    return dir;
#else
    fs::path dir = base / ("aubelys-" + std::to_string(::geteuid()));
    if (::mkdir(dir.c_str(), 0700) != 0 && errno != EEXIST) throwFromErrno(errno);
    struct stat st;
    if (::lstat(dir.c_str(), &st) != 0) throwFromErrno(errno);
    // Made by someone else beforehand, or a link: refused.
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::geteuid()) throw CalcError(ErrPermission);
    if ((st.st_mode & 077) != 0 && ::chmod(dir.c_str(), 0700) != 0) throwFromErrno(errno);
    return dir;
#endif
}

// ---------------------------------------------------------------- field reader

FieldReader::FieldReader(std::string text) : text_(std::move(text)) {}

FieldReader FieldReader::fromFile(const fs::path& path) { return FieldReader(readTextFile(path)); }

bool FieldReader::atEnd() const { return pos_ >= text_.size(); }

std::string FieldReader::next() {
    if (atEnd()) throw CalcError(ErrPastEnd);
    const std::size_t size = text_.size();
    auto isLineEnd = [&](std::size_t i) { return text_[i] == '\r' || text_[i] == '\n'; };

    std::size_t i = pos_;
    while (i < size && isBlank(text_[i])) ++i;

    std::string field;
    if (i < size && text_[i] == '"') {
        // Quoted field: up to the closing quote (or the line end when it is missing);
        // anything after the closing quote up to the delimiter is ignored.
        std::size_t start = ++i;
        while (i < size && text_[i] != '"' && !isLineEnd(i)) ++i;
        field.assign(text_, start, i - start);
        if (i < size && text_[i] == '"') ++i;
        while (i < size && text_[i] != ',' && !isLineEnd(i)) ++i;
    } else {
        std::size_t start = i;
        while (i < size && text_[i] != ',' && !isLineEnd(i)) ++i;
        field = trimBlanks(std::string_view(text_).substr(start, i - start));
    }

    // Delimiter: a comma, or a line end (CR LF, LF or a lone CR).
    if (i < size) {
        if (text_[i] == '\r' && i + 1 < size && text_[i + 1] == '\n') ++i;
        ++i;
    }
    pos_ = i;
    return field;
}

float FieldReader::nextNumber(bool /*decimalComma*/) {
    // Both settings read the same way here: either separator is taken and the longest
    // leading number counts, so a file written on any machine reads back.
    std::string field = next();
    if (auto comma = field.find(','); comma != std::string::npos) field[comma] = '.';
    const double v = leadingNumber(field);
    if (!std::isfinite(v) || std::fabs(v) > std::numeric_limits<float>::max()) return 0.0f;
    return static_cast<float>(v);
}

std::vector<std::string> FieldReader::rest() {
    std::vector<std::string> fields;
    while (!atEnd()) fields.push_back(next());
    return fields;
}

std::vector<std::string> readDesignValues(const fs::path& path) {
    std::vector<std::string> values;
    for (const auto& line : readLines(path)) {
        const std::string t = trimBlanks(line);
        if (isDecimalCommaNumber(t)) {
            values.push_back(t);
        } else if (t.empty()) {
            values.emplace_back();
        } else {
            for (auto& f : FieldReader(line).rest()) values.push_back(std::move(f));
        }
    }
    return values;
}

// ---------------------------------------------------------------- file names

bool sameFileName(std::string_view a, std::string_view b) { return foldedChars(a) == foldedChars(b); }

bool wildcardMatch(std::string_view pattern, std::string_view name) {
    const auto p = foldedChars(pattern);
    const auto n = foldedChars(name);
    std::size_t pi = 0, ni = 0;
    std::size_t starP = std::string::npos, starN = 0;
    while (ni < n.size()) {
        if (pi < p.size() && p[pi] == U'*') {
            starP = pi++;
            starN = ni;
        } else if (pi < p.size() && (p[pi] == U'?' || p[pi] == n[ni])) {
            ++pi;
            ++ni;
        } else if (starP != std::string::npos) {
            pi = starP + 1;
            ni = ++starN;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == U'*') ++pi;
    return pi == p.size();
}

std::vector<std::string> listFiles(const fs::path& dir, std::string_view pattern) {
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(dir, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        std::error_code sec;
        if (!it->is_regular_file(sec)) continue;
        std::string name = pathToUtf8(it->path().filename());
        // A name written on another machine in Windows-1252 is listed in UTF-8 like every
        // text of the program; findFile matches it back to the file on disk.
        if (!isValidUtf8(name)) name = cp1252ToUtf8(name);
        if (wildcardMatch(pattern, name)) names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const auto fa = foldedChars(a), fb = foldedChars(b);
        if (fa != fb) return fa < fb;
        return a < b;
    });
    return names;
}

std::optional<fs::path> findFile(const fs::path& dir, std::string_view name) {
    std::error_code ec;
    const fs::path exact = dir / pathFromUtf8(name);
    if (fs::is_regular_file(exact, ec)) return exact;
    fs::directory_iterator it(dir, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        std::error_code sec;
        if (!it->is_regular_file(sec)) continue;
        if (sameFileName(pathToUtf8(it->path().filename()), name)) return it->path();
    }
    return std::nullopt;
}

bool fileExists(const fs::path& dir, std::string_view name) { return findFile(dir, name).has_value(); }

bool isProgramFile(std::string_view name) {
    static constexpr std::string_view own[] = {"Microfich.txt", "Pertescou.txt", "coursierforge.txt",
                                               "Tempobuse",     "Temporary",     "Myroue.txt"};
    for (std::string_view n : own)
        if (sameFileName(name, n)) return true;
    return false;
}

namespace {

// Marks that change the writing direction: a name holding one can show another
// name than the one on disk ("Kessai\u202Etxt.exe").
bool holdsDirectionMark(std::string_view name) {
    for (char32_t c : nameChars(name))
        if (c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069))
            return true;
    return false;
}

}  // namespace

std::optional<std::string> checkTypedName(std::string_view name) {
    static constexpr std::size_t MaxNameBytes = 200;
    const std::string incorrect =
        "Nom de fichier incorrect : donnez un nom simple, sans chemin ni caractère \\ / : * ? \" < > |";
    if (name.find_first_not_of(' ') == std::string_view::npos) return "Nom de fichier vide";
    for (char c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F || std::strchr("\\/:*?\"<>|", c) != nullptr) return incorrect;
    }
    if (name == "." || name == ".." || holdsDirectionMark(name)) return incorrect;
    // Device names that Windows keeps for itself, with or without an extension.
    std::string stem(name.substr(0, name.find('.')));
    while (!stem.empty() && stem.back() == ' ') stem.pop_back();
    for (auto& c : stem) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const bool numbered =
        stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT")) && stem[3] >= '1' && stem[3] <= '9';
    if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL" || numbered)
        return "Nom de fichier réservé par le système : donnez un autre nom";
    if (name.size() > MaxNameBytes) return "Nom de fichier trop long";
    if (isProgramFile(name)) return "Ce nom est celui d'un fichier du logiciel : donnez un autre nom";
    return std::nullopt;
}

std::string protectedLine(const std::string& text) {
    if (text.find(',') == std::string::npos || isDecimalCommaNumber(text)) return text;
    std::string quoted = text;
    for (char& c : quoted)
        if (c == '"') c = '\'';
    return '"' + quoted + '"';
}

}  // namespace aub
