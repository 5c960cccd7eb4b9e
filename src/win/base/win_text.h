// The only place that knows about UTF-16: text inside the program is code page
// 932 bytes, the W functions of the system want UTF-16. Converting with 932
// explicitly keeps Japanese right whatever the system's code page is.
#pragma once

#include <optional>
#include <string>
#include <string_view>

std::wstring Widen(std::string_view text);

// Text for showing and comparing. A character code page 932 lacks becomes
// '?', never a look-alike: "¥" must not turn into a backslash nor "é" into
// "e", or a name could come to mean another file.
std::string Narrow(std::wstring_view text);

// False when some character has no code page 932 form; `out` then holds what
// Narrow gives.
bool NarrowExact(std::wstring_view text, std::string& out);

// A file-system path the system gave (a dropped file, the program, a folder)
// as code page 932 text that names exactly that file: the path itself when
// code page 932 spells it, else its short (8.3) name. Nothing when neither
// does (the file is missing or the volume keeps no short names).
std::optional<std::string> NarrowPath(std::wstring_view path);
