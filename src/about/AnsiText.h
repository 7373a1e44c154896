#pragma once
// Text in the system's ANSI code page, as the registry's ANSI functions
// take and give it. The program's own text is UTF-8. Systems other than
// Windows have no ANSI code page of their own; their narrow text is UTF-8,
// so it passes unchanged there.

#include <string>
#include <string_view>

namespace tomira {

// Characters the code page lacks become its default character ("?").
std::string AnsiFromUtf8(std::string_view utf8);
std::string Utf8FromAnsi(std::string_view ansi);

#ifdef _WIN32
// UTF-8 to UTF-16 and back, for the wide Windows functions.
std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);
#endif

}  // namespace tomira
