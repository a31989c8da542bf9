#pragma once
// The template files of templates/site as they were when the tool was built:
// what the tool generates with when the server's copy does not come.

#include <string_view>

#include "base/services.h"

namespace lumdrift {

std::string_view builtinTemplate(TemplateId id);

}  // namespace lumdrift
