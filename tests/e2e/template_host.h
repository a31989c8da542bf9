#pragma once
// Where the tool built for the tests fetches its templates: the template
// paths, and the port of the host it was built with, where the tests serve.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "templates/template_table.h"
#include "tests/win32/scripted_http_server.h"

namespace lumdrift::e2e {

using test::Request;
using test::Response;
using test::ScriptedHttpServer;

inline constexpr char kTmallCode[] = "/derereravo/365687/gjx/kestry/tmb.txt";
inline constexpr char kCode[] = "/derereravo/365687/gjx/kestry/jsb.txt";
inline constexpr char kPreview[] = "/derereravo/365687/yl/jsb.txt";

inline std::uint16_t templatePort() {
  const std::string_view host = kTemplateHost;
  const std::size_t colon = host.rfind(':');
  if (colon == std::string_view::npos) return 80;
  return static_cast<std::uint16_t>(std::atoi(std::string(host.substr(colon + 1)).c_str()));
}

}  // namespace lumdrift::e2e
