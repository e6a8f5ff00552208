#include "e2e/Sandbox.h"

#include <stdlib.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fondex::e2e {

namespace {

void AppendLittleEndian(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) {
    out.push_back(static_cast<char>((value >> (8 * i)) & 0xFFU));
  }
}

}  // namespace

Sandbox::Sandbox() {
  std::string pattern = (std::filesystem::temp_directory_path() / "fondex-e2e-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("cannot make a temporary folder");
  }
  root_ = pattern;
}

Sandbox::~Sandbox() {
  // A folder made read-only by a test would keep its files.
  std::error_code ignored;
  for (auto entry = std::filesystem::recursive_directory_iterator(root_, ignored);
       entry != std::filesystem::recursive_directory_iterator(); entry.increment(ignored)) {
    if (entry->is_directory(ignored) && !entry->is_symlink(ignored)) {
      std::filesystem::permissions(entry->path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ignored);
    }
  }
  std::filesystem::remove_all(root_, ignored);
}

std::filesystem::path Sandbox::Folder(const std::filesystem::path& relative) const {
  const std::filesystem::path folder = root_ / relative;
  std::filesystem::create_directories(folder);
  return folder;
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (!file) {
    throw std::runtime_error("cannot write " + path.string());
  }
}

void ReplaceFile(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::path temporary = path;
  temporary += ".new";
  WriteFile(temporary, bytes);
  std::filesystem::rename(temporary, path);
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

void WriteBitmap(const std::filesystem::path& path, int width, int height, Rgb colour) {
  WriteSplitBitmap(path, width, height, colour, colour);
}

void WriteSplitBitmap(const std::filesystem::path& path, int width, int height, Rgb left,
                      Rgb right) {
  WriteColumnsBitmap(path, width, height, [=](int x) { return x < width / 2 ? left : right; });
}

void WriteColumnsBitmap(const std::filesystem::path& path, int width, int height,
                        const std::function<Rgb(int x)>& column) {
  const auto rowBytes = static_cast<std::uint32_t>((width * 3 + 3) & ~3);
  const std::uint32_t pixelBytes = rowBytes * static_cast<std::uint32_t>(height);
  constexpr std::uint32_t kHeaders = 14 + 40;
  std::string bmp = "BM";
  AppendLittleEndian(bmp, kHeaders + pixelBytes, 4);
  AppendLittleEndian(bmp, 0, 4);
  AppendLittleEndian(bmp, kHeaders, 4);
  AppendLittleEndian(bmp, 40, 4);  // BITMAPINFOHEADER
  AppendLittleEndian(bmp, static_cast<std::uint32_t>(width), 4);
  AppendLittleEndian(bmp, static_cast<std::uint32_t>(height), 4);
  AppendLittleEndian(bmp, 1, 2);   // planes
  AppendLittleEndian(bmp, 24, 2);  // bits per pixel
  AppendLittleEndian(bmp, 0, 4);   // no compression
  AppendLittleEndian(bmp, pixelBytes, 4);
  AppendLittleEndian(bmp, 2835, 4);  // 72 dots per inch
  AppendLittleEndian(bmp, 2835, 4);
  AppendLittleEndian(bmp, 0, 4);
  AppendLittleEndian(bmp, 0, 4);
  std::string row;
  for (int x = 0; x < width; ++x) {
    const Rgb colour = column(x);
    row += {static_cast<char>(colour.blue), static_cast<char>(colour.green),
            static_cast<char>(colour.red)};
  }
  row.resize(rowBytes, '\0');
  for (int y = 0; y < height; ++y) {
    bmp += row;
  }
  WriteFile(path, bmp);
}

std::string WindowsPath(const std::filesystem::path& path) {
  std::string text = "C:" + std::filesystem::absolute(path).lexically_normal().string();
  std::replace(text.begin(), text.end(), '/', '\\');
  return text;
}

std::string LowerAscii(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
  }
  return text;
}

std::string StoredPath(const std::filesystem::path& path) {
  return LowerAscii(WindowsPath(path));
}

}  // namespace fondex::e2e
