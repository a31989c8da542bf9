#pragma once
// The templates the tool generates with, named by their use. Where each one
// comes from is its row in templates/template_table.h.

namespace lumdrift {

enum class TemplateId {
  TmallCode,
  Code,
  Preview,
  TmallPreview,
  Count,  // keep last: the number of templates
};
inline constexpr int kTemplateCount = static_cast<int>(TemplateId::Count);

}  // namespace lumdrift
