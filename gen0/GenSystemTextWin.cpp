#include <windows.h>

#include "gen0/GenSystemText.h"

std::string SystemMessageText(std::uint32_t code) {
  // Every insert of the system's message prints as "?".
  static const char Question[] = "?";
  DWORD_PTR args[100];
  for (DWORD_PTR& a : args) a = reinterpret_cast<DWORD_PTR>(Question);
  char* buffer = nullptr;
  DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                               FORMAT_MESSAGE_ARGUMENT_ARRAY,
                           nullptr, code, 0, reinterpret_cast<char*>(&buffer), 1,
                           reinterpret_cast<va_list*>(args));
  std::string s = n && buffer ? std::string(buffer, n) : std::string();
  if (buffer) LocalFree(buffer);
  return s;
}
