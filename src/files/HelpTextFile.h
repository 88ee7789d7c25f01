#pragma once
// The help-text file: records of exactly 10000 single-byte characters; record k
// (k >= 1) starts at byte (k - 1) * 10000. A record past the end, or a missing
// file, reads as 10000 blanks. The program only reads it.
#include <filesystem>
#include <string>

namespace aub {

constexpr std::size_t HelpRecordLength = 10000;

class HelpTextFile {
public:
    HelpTextFile() = default;
    explicit HelpTextFile(std::filesystem::path path);
    const std::filesystem::path& path() const { return path_; }
    // Record k as UTF-8, exactly HelpRecordLength characters of the file (trailing blanks kept).
    std::string record(int k) const;

private:
    std::filesystem::path path_;
};

}  // namespace aub
