#include "generator/portable_file_writer.h"

#include <cstdio>

namespace lumdrift {
namespace {

Text hostPath(const Text& path) {
  Text out = path;
#ifndef _WIN32
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (isLeadByte(static_cast<unsigned char>(out[i]))) {
      ++i;
    } else if (out[i] == '\\') {
      out[i] = '/';
    }
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

}  // namespace lumdrift
