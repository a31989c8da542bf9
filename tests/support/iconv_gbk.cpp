// GBK for the native builds (the tests and the page tool), through the C
// library's converter; the exe uses the system's code page 936.

#include <iconv.h>

#include <cerrno>

#include "base/gbk.h"

namespace lumdrift {
namespace {

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts all of `in`; when `replacement` is given an undefined sequence
  // becomes it and the byte after its start is tried next, else the whole
  // conversion fails.
  std::optional<std::string> run(std::string_view in, std::string_view replacement) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string out;
    char buffer[4096];
    char* src = const_cast<char*>(in.data());
    std::size_t left = in.size();
    while (left > 0) {
      char* dst = buffer;
      std::size_t room = sizeof buffer;
      const std::size_t r = iconv(cd_, &src, &left, &dst, &room);
      out.append(buffer, static_cast<std::size_t>(dst - buffer));
      if (r != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
      if (replacement.empty()) return std::nullopt;
      out.append(replacement);
      ++src;
      --left;
    }
    return out;
  }

 private:
  iconv_t cd_;
};

}  // namespace

Text decodeGbk(std::string_view bytes) {
  return Converter("UTF-8", "CP936").run(bytes, "\xEF\xBF\xBD").value_or(Text());
}

bool appendGbk(std::string_view text, std::string& out) {
  const std::optional<std::string> bytes = Converter("CP936", "UTF-8").run(text, {});
  if (!bytes) return false;
  out += *bytes;
  return true;
}

}  // namespace lumdrift
