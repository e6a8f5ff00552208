#include "win32ui/Text.h"

#include "platform/win32/WinApi.h"

namespace fondex::win32ui {
namespace {

// Length of the valid UTF-8 sequence of two to four bytes at the position; 0 for none.
std::size_t Utf8SequenceAt(const std::string& text, std::size_t at) {
  const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  std::size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    low = lead == 0xE0 ? 0xA0 : 0x80;   // no overlong forms
    high = lead == 0xED ? 0x9F : 0xBF;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    low = lead == 0xF0 ? 0x90 : 0x80;
    high = lead == 0xF4 ? 0x8F : 0xBF;
  }
  if (length == 0 || at + length > text.size() || byte(at + 1) < low || byte(at + 1) > high) {
    return 0;
  }
  for (std::size_t i = at + 2; i < at + length; ++i) {
    if (byte(i) < 0x80 || byte(i) > 0xBF) {
      return 0;
    }
  }
  return length;
}

std::wstring Converted(UINT codePage, const char* bytes, int size) {
  const int length = ::MultiByteToWideChar(codePage, 0, bytes, size, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  ::MultiByteToWideChar(codePage, 0, bytes, size, wide.data(), length);
  return wide;
}

}  // namespace

std::wstring Widen(const std::string& text) {
  std::wstring wide;
  wide.reserve(text.size());
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t sequence = Utf8SequenceAt(text, at);
    if (sequence > 0) {
      wide += Converted(CP_UTF8, text.data() + at, static_cast<int>(sequence));
      at += sequence;
    } else if (static_cast<unsigned char>(text[at]) < 0x80) {
      wide += static_cast<wchar_t>(text[at++]);
    } else {
      wide += Converted(CP_ACP, text.data() + at++, 1);
    }
  }
  return wide;
}

std::string Narrow(const std::wstring& text) {
  const int size = static_cast<int>(text.size());
  const int length =
      ::WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(length), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, text.data(), size, narrow.data(), length, nullptr, nullptr);
  return narrow;
}

}  // namespace fondex::win32ui
