#pragma once
// Every template the tool fetches, one row each, in the order of the
// download, and the server they come from. A row's path names the file on
// the template server and, under templates/site, the file the build embeds as
// its built-in copy: the build takes the paths from the rows below.

#include <string_view>

#include "base/template_id.h"
#include "base/text.h"

#ifndef LUMDRIFT_TEMPLATE_HOST
#error "LUMDRIFT_TEMPLATE_HOST comes from the CMake cache variable of the same name"
#endif

namespace lumdrift {

inline constexpr std::string_view kTemplateHost = LUMDRIFT_TEMPLATE_HOST;

struct Template {
  TemplateId id;
  std::string_view name;  // for the log
  std::string_view path;  // on the server and under templates/site
  // Fetched once more, after all the others, when the first row's template
  // came back empty; until then its first fetch is not its last chance.
  bool followsFirst;
};

inline constexpr Template kTemplates[] = {
    {TemplateId::TmallCode, "Tmall code template", "/derereravo/365687/gjx/kestry/tmb.txt", true},
    {TemplateId::Code, "code template", "/derereravo/365687/gjx/kestry/jsb.txt", true},
    // Both preview templates are the same file, fetched once for each.
    {TemplateId::Preview, "preview template", "/derereravo/365687/yl/jsb.txt", false},
    {TemplateId::TmallPreview, "Tmall preview template", "/derereravo/365687/yl/jsb.txt", false},
};

constexpr const Template& templateRow(TemplateId id) {
  for (const Template& t : kTemplates) {
    if (t.id == id) return t;
  }
  return kTemplates[0];  // never reached: every id has a row, as checked below
}

constexpr bool everyTemplateHasOneRow() {
  for (int id = 0; id < kTemplateCount; ++id) {
    int rows = 0;
    for (const Template& t : kTemplates) rows += static_cast<int>(t.id) == id ? 1 : 0;
    if (rows != 1) return false;
  }
  return std::size(kTemplates) == kTemplateCount;
}
static_assert(everyTemplateHasOneRow());

inline Text templateUrl(const Template& t) {
  return "http://" + Text(kTemplateHost) + Text(t.path);
}

}  // namespace lumdrift
