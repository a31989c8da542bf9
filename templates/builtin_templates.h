#pragma once
// The template files of templates/site as they were when the tool was built:
// what the tool generates with when the server's copy does not come.

#include <string_view>

#include "templates/template_table.h"

namespace lumdrift {

// The built-in copy of the site's file at `path` (as requested from the
// server); empty for a file the build did not embed.
std::string_view builtinSiteFile(std::string_view path);

inline std::string_view builtinTemplate(TemplateId id) {
  return builtinSiteFile(templateRow(id).path);
}

}  // namespace lumdrift
