#pragma once
// Today's date in local time, as the windows and the dossier show it: "dd/mm/yyyy",
// or with another separator ("dd mm yyyy").
#include <string>

namespace aub {

std::string todayText(char separator = '/');

}  // namespace aub
