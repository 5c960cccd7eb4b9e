// "name=value" string lists (the key and sound definitions): the name is the
// text before the first '=' and matches ignoring case; lines without '=' have
// no name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Index of the first line named `name`, or -1.
int IndexOfName(const std::vector<std::string>& list, std::string_view name);
// The value of the first line named `name`; empty when there is none.
std::string ListValue(const std::vector<std::string>& list, std::string_view name);
// Replaces the value of the first line named `name`, or appends a line; an
// empty value removes the line.
void SetListValue(std::vector<std::string>& list, std::string_view name, std::string_view value);
