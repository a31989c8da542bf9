# Writes OUT, a C++ source that holds the bytes of the site's three template
# files, for builtinTemplate(). Run by the build whenever a file changes.
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

bytes_of("${SITE}/derereravo/365687/gjx/kestry/tmb.txt" tmall_code)
bytes_of("${SITE}/derereravo/365687/gjx/kestry/jsb.txt" code)
bytes_of("${SITE}/derereravo/365687/yl/jsb.txt" preview)

file(WRITE "${OUT}.new" "// Generated from templates/site by embed_templates.cmake; do not edit.
#include \"templates/builtin_templates.h\"

namespace lumdrift {
namespace {

constexpr char kTmallCode[] = {
${tmall_code}};
constexpr char kCode[] = {
${code}};
constexpr char kPreview[] = {
${preview}};

}  // namespace

std::string_view builtinTemplate(TemplateId id) {
  switch (id) {
    case TemplateId::TmallCode: return {kTmallCode, sizeof kTmallCode};
    case TemplateId::Code: return {kCode, sizeof kCode};
    case TemplateId::Preview:
    case TemplateId::TmallPreview: return {kPreview, sizeof kPreview};
  }
  return {};
}

}  // namespace lumdrift
")
# Touched only when the bytes change, so that nothing rebuilds for nothing.
file(COPY_FILE "${OUT}.new" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.new")
