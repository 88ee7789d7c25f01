#include "files/HelpTextFile.h"

#include "core/CalcError.h"
#include "files/TextFile.h"

namespace aub {

HelpTextFile::HelpTextFile(std::filesystem::path path) : path_(std::move(path)) {}

std::string HelpTextFile::record(int k) const {
    std::string bytes(HelpRecordLength, ' ');
    if (k < 1 || path_.empty()) return bytes;
    // The file is found by its name without regard to case, as the folder check finds it.
    const auto found = findFile(path_.parent_path(), pathToUtf8(path_.filename()));
    if (!found) return bytes;
    const auto offset = static_cast<std::uintmax_t>(k - 1) * HelpRecordLength;
    std::string read;
    try {
        read = readFilePart(*found, offset, HelpRecordLength);
    } catch (const CalcError&) {
        return bytes;  // a pipe, a device or an unreadable file reads as blank
    }
    // A short last record keeps the blanks it was filled with; a record past the
    // end reads nothing and stays blank. The record is single-byte text in Windows-1252.
    bytes.replace(0, read.size(), read);
    return cp1252ToUtf8(bytes);
}

}  // namespace aub
