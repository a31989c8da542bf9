#pragma once
// The editions of the shop page the tool generates for, one row each. The
// edition list shows them in this order, and its selection is the row's index.

#include <array>
#include <string_view>

#include "base/captions.h"
#include "base/template_id.h"

namespace lumdrift {

struct Edition {
  std::string_view listCaption;  // its item in the edition list
  std::string_view startOffset;  // the offset box's text when the edition is picked
  double offsetShift;            // the offset for a width w is -w/2 plus this
  std::string_view areaCaption;  // the code input frame's caption: where the code goes
  TemplateId codeTemplate;
  TemplateId previewTemplate;
};

inline constexpr Edition kEditions[] = {
    {caption::kEditionProfessional, "-960", 0.0, caption::kInputProfessional, TemplateId::Code,
     TemplateId::Preview},
    // The 750 area sits 100 pixels left of the 950 one's centre.
    {caption::kEditionBasic, "-1060", -100.0, caption::kInputBasic, TemplateId::Code,
     TemplateId::Preview},
    {caption::kEditionTmall, "-960", 0.0, caption::kInputTmall, TemplateId::TmallCode,
     TemplateId::TmallPreview},
};

// The edition at an index of the list; null when the index names none, as
// when nothing is selected.
constexpr const Edition* editionAt(int index) {
  return index >= 0 && index < static_cast<int>(std::size(kEditions)) ? &kEditions[index] : nullptr;
}

// The edition list's items.
inline constexpr auto kEditionItems = [] {
  std::array<std::string_view, std::size(kEditions)> items{};
  for (std::size_t i = 0; i < items.size(); ++i) items[i] = kEditions[i].listCaption;
  return items;
}();

}  // namespace lumdrift
