#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fondex::platform::posix::desktop {

// The text forms in which a path travels to a desktop and back.

bool IsValidUtf8(std::string_view text);

// The lines of a tool's output, without their line ends.
std::vector<std::string> SplitLines(std::string_view text);

// "/a/b c.bmp" -> "/a/b c.bmp" with "." and ".." folded and repeated slashes joined.
std::string LexicallyNormal(std::string_view path);

// "/a/b c.bmp" -> "file:///a/b%20c.bmp": every byte but the unreserved ones and "/" is
// percent-encoded, so the URI is plain ASCII whatever the path holds.
std::string FileUri(std::string_view path);

// The path of a "file:" URI (any host), percent-decoded and spelled as the URI spells it;
// nothing for another scheme.
std::optional<std::string> PathOfFileUri(std::string_view uri);

// A string in the text format of GSettings values: single quotes, backslash escapes.
std::string GVariantStringLiteral(std::string_view text);

// The string of a GSettings value as `gsettings get` prints it; nothing for another value.
std::optional<std::string> ParseGVariantString(std::string_view printed);

// The text of a value as Qt's settings files write it: quoted parts, backslash escapes (\xHHHH
// for a character by its code), and an unquoted comma ending the first item of a list.
std::string QtSettingsText(std::string_view raw);

// UTF-8 text as Qt's settings files write a value: quoted when it holds a separator or blanks at
// its ends, backslashes and quotes escaped, every other character than printable ASCII as \xHHHH
// (and a hex digit right after such an escape too, since the escape would swallow it).
std::string QtSettingsLiteral(std::string_view utf8);

// A JavaScript string literal of ASCII text: quotes, backslashes and control characters are
// escaped, so the literal ends where it should.
std::string JavaScriptStringLiteral(std::string_view ascii);

// The path to hand to a desktop that ignores a setting set to the value it already holds: the
// path as it is, or, when the desktop last got this same file, the other of two spellings of
// it ("/a/b.bmp" and "/a/./b.bmp"), so that the desktop loads the file's content again.
class FreshSpelling {
 public:
  std::string For(const std::string& path);
  // What the desktop holds now, spelled as the desktop holds it.
  void Seen(const std::string& path) { last_ = path; }

 private:
  std::string last_;
};

}  // namespace fondex::platform::posix::desktop
