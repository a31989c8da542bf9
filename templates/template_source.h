#pragma once
// Where the templates come from: fixed paths on the template server, whose
// host is chosen when the tool is built.

#include <string_view>

#include "base/services.h"

#ifndef LUMDRIFT_TEMPLATE_HOST
#define LUMDRIFT_TEMPLATE_HOST "127.0.0.1:18080"
#endif

namespace lumdrift {

inline constexpr std::string_view kTemplateHost = LUMDRIFT_TEMPLATE_HOST;
inline constexpr std::string_view kTmallCodePath = "/derereravo/365687/gjx/kestry/tmb.txt";
inline constexpr std::string_view kCodePath = "/derereravo/365687/gjx/kestry/jsb.txt";
inline constexpr std::string_view kPreviewPath = "/derereravo/365687/yl/jsb.txt";

// Both preview templates are the same file, fetched once for each.
constexpr std::string_view templatePath(TemplateId id) {
  switch (id) {
    case TemplateId::TmallCode: return kTmallCodePath;
    case TemplateId::Code: return kCodePath;
    case TemplateId::Preview:
    case TemplateId::TmallPreview: return kPreviewPath;
  }
  return {};
}

inline Text templateUrl(std::string_view path) {
  return "http://" + Text(kTemplateHost) + Text(path);
}

}  // namespace lumdrift
