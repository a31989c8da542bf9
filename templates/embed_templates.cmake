# Writes OUT, a C++ source that holds the bytes of the site's files FILES
# (paths under SITE), for builtinSiteFile(). Run by the build whenever a file
# changes.
function(bytes_of file var)
  file(READ "${file}" hex HEX)
  if(hex STREQUAL "")
    message(FATAL_ERROR "${file} is empty: a built-in template must hold something")
  endif()
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," hex "${hex}")
  # Lines of 16 bytes keep the generated file readable by tools.
  string(REGEX REPLACE "(('\\\\x..',){16})" "\\1\n" hex "${hex}")
  set(${var} "${hex}" PARENT_SCOPE)
endfunction()

set(arrays "")
set(rows "")
set(n 0)
foreach(path IN LISTS FILES)
  bytes_of("${SITE}/${path}" bytes)
  string(APPEND arrays "constexpr char kFile${n}[] = {\n${bytes}};\n")
  string(APPEND rows "    {\"/${path}\", {kFile${n}, sizeof kFile${n}}},\n")
  math(EXPR n "${n} + 1")
endforeach()

file(WRITE "${OUT}.new" "// Generated from templates/site by embed_templates.cmake; do not edit.
#include \"templates/builtin_templates.h\"

namespace lumdrift {
namespace {

${arrays}
struct SiteFile {
  std::string_view path;
  std::string_view bytes;
};
constexpr SiteFile kFiles[] = {
${rows}};

}  // namespace

std::string_view builtinSiteFile(std::string_view path) {
  for (const SiteFile& file : kFiles) {
    if (file.path == path) return file.bytes;
  }
  return {};
}

}  // namespace lumdrift
")
# Touched only when the bytes change, so that nothing rebuilds for nothing.
file(COPY_FILE "${OUT}.new" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.new")
