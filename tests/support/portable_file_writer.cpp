#include "tests/support/portable_file_writer.h"

#include <cstdio>
#include <filesystem>

namespace lumdrift {
namespace {

Text hostPath(const Text& path) {
  Text out = path;
#ifndef _WIN32
  for (char& c : out) {
    if (c == '\\') c = '/';
  }
#endif
  return out;
}

}  // namespace

bool PortableFileWriter::replaceFile(const Text& path, std::string_view bytes) {
  const Text target = hostPath(path);
  const Text temp = target + ".tmp";
  std::FILE* f = std::fopen(temp.c_str(), "wb");
  if (f == nullptr) return false;
  bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = std::fclose(f) == 0 && ok;
  if (ok) ok = std::rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) std::remove(temp.c_str());
  return ok;
}

bool PortableFileWriter::makeFolder(const Text& path) {
  std::error_code error;
  std::filesystem::create_directory(hostPath(path), error);
  return !error && std::filesystem::is_directory(hostPath(path), error);
}

}  // namespace lumdrift
