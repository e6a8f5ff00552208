#pragma once

#include <string>

namespace fondex::win32ui {

// The program's own texts are UTF-8, while the names of files come in the system's ANSI code
// page, and a message may hold both: each valid UTF-8 sequence is read as UTF-8, every other
// byte as a character of the code page.
std::wstring Widen(const std::string& text);

// What the user typed or chose, as a native name in the ANSI code page.
std::string Narrow(const std::wstring& text);

}  // namespace fondex::win32ui
