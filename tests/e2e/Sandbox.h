#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace fondex::e2e {

// A fresh temporary folder, removed with everything in it at the end.
class Sandbox {
 public:
  Sandbox();
  ~Sandbox();
  Sandbox(const Sandbox&) = delete;
  Sandbox& operator=(const Sandbox&) = delete;

  const std::filesystem::path& Root() const { return root_; }
  // Creates the folder (and its parents) inside the sandbox.
  std::filesystem::path Folder(const std::filesystem::path& relative) const;

 private:
  std::filesystem::path root_;
};

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
};

void WriteFile(const std::filesystem::path& path, const std::string& bytes);
// Writes a temporary file beside the target and renames it over the target, as editors do.
void ReplaceFile(const std::filesystem::path& path, const std::string& bytes);
// The file's bytes; empty when it does not exist.
std::string ReadFile(const std::filesystem::path& path);
// A valid uncompressed 24-bit BMP filled with one colour.
void WriteBitmap(const std::filesystem::path& path, int width, int height, Rgb colour);
// The same with its left half in one colour and its right half in another.
void WriteSplitBitmap(const std::filesystem::path& path, int width, int height, Rgb left,
                      Rgb right);
// The same with each column in the colour given for it, from the left.
void WriteColumnsBitmap(const std::filesystem::path& path, int width, int height,
                        const std::function<Rgb(int x)>& column);

// The path as the program spells it: drive C: is the root, backslashes ("C:\tmp\a.bmp").
std::string WindowsPath(const std::filesystem::path& path);
// ASCII capitals lowered, every other byte unchanged.
std::string LowerAscii(std::string text);
// The path as the program stores and shows it: Windows-shaped, in lower case.
std::string StoredPath(const std::filesystem::path& path);

}  // namespace fondex::e2e
