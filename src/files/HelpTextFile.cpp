#include "files/HelpTextFile.h"

#include "files/TextFile.h"

#include <fstream>

namespace aub {

HelpTextFile::HelpTextFile(std::filesystem::path path) : path_(std::move(path)) {}

std::string HelpTextFile::record(int k) const {
    std::string bytes(HelpRecordLength, ' ');
    if (k < 1 || path_.empty()) return bytes;
    std::ifstream in(path_, std::ios::binary);
    if (!in) return bytes;
    const auto offset = static_cast<std::streamoff>(k - 1) * static_cast<std::streamoff>(HelpRecordLength);
    in.seekg(offset);
    if (!in) return bytes;
    in.read(bytes.data(), static_cast<std::streamsize>(HelpRecordLength));
    // A short last record keeps the blanks it was filled with; a record past the
    // end reads nothing and stays blank. The record is single-byte text in Windows-1252.
    return cp1252ToUtf8(bytes);
}

}  // namespace aub
