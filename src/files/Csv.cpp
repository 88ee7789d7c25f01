#include "files/Csv.h"

#include "core/NumberText.h"

namespace aub {

std::string csvField(std::string_view s, char separator) {
    const char special[] = {separator, '"', '\r', '\n', '\0'};
    if (s.find_first_of(special) == std::string_view::npos) return std::string(s);
    std::string out = "\"";
    for (char c : s) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

std::vector<std::string> csvFields(std::string_view line, char separator) {
    std::vector<std::string> fields;
    std::string field;
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '"') {
                if (i + 1 < line.size() && line[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
        } else if (c == '"' && trim(field).empty()) {
            field.clear();
            quoted = true;
        } else if (c == separator) {
            fields.push_back(trim(field));
            field.clear();
        } else {
            field += c;
        }
    }
    fields.push_back(trim(field));
    return fields;
}

}  // namespace aub
