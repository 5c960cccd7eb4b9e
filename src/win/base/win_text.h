// The only place that knows about UTF-16: text inside the program is code page
// 932 bytes, the W functions of the system want UTF-16. Converting with 932
// explicitly keeps Japanese right whatever the system's code page is.
#pragma once

#include <string>
#include <string_view>

std::wstring Widen(std::string_view text);
std::string Narrow(std::wstring_view text);
