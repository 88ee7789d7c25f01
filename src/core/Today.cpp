#include "core/Today.h"

#include <cstdio>
#include <ctime>

namespace aub {

std::string todayText(char separator) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    char text[40];
    std::snprintf(text, sizeof text, "%02d%c%02d%c%04d", local.tm_mday, separator, local.tm_mon + 1, separator,
                  local.tm_year + 1900);
    return text;
}

}  // namespace aub
