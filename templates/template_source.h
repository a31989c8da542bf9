#pragma once
// Where the templates come from: fixed paths on the template server, whose
// host is chosen when the tool is built.

#include <string_view>

#include "base/text.h"

#ifndef LUMDRIFT_TEMPLATE_HOST
#define LUMDRIFT_TEMPLATE_HOST "127.0.0.1:18080"
#endif

namespace lumdrift {

inline constexpr std::string_view kTemplateHost = LUMDRIFT_TEMPLATE_HOST;
inline constexpr std::string_view kTmallCodePath = "/derereravo/365687/gjx/kestry/tmb.txt";
inline constexpr std::string_view kCodePath = "/derereravo/365687/gjx/kestry/jsb.txt";
inline constexpr std::string_view kPreviewPath = "/derereravo/365687/yl/jsb.txt";

inline Text templateUrl(std::string_view path) {
  return "http://" + Text(kTemplateHost) + Text(path);
}

}  // namespace lumdrift
