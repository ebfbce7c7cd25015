// Text from outside (file contents, names in packs) quoted in a message to a terminal.
#pragma once

#include <string>

namespace os {

// The text with every control byte, DEL and "\\" written as "\\xNN" (a backslash as "\\\\"), so
// that quoting a hostile file cannot send escape sequences to the terminal. Bytes of 128 and
// above (UTF-8) stay as they are.
std::string Printable(const std::string& text);

} // namespace os
