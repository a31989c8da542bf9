#pragma once
// Turning the user's code into full-screen code: the edition's code template
// with the option values and the code put in place of its placeholders.

#include "generator/delivery.h"

namespace lumdrift {

struct ChainValues {
  std::string_view width;
  std::string_view height;
  std::string_view offset;
  std::string_view topSpacing;
  std::string_view code;
};

// The replacement chain, each step applied to the result of the one before.
Text applyChain(std::string_view codeTemplate, const ChainValues& values);

// The click handler of the generate button.
void generate(Controls& ui, const TemplateStore& templates, Clipboard& clipboard,
              PreviewPages& pages);

}  // namespace lumdrift
