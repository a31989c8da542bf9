#include "templates/download_worker.h"

#include "templates/response_body.h"
#include "templates/template_source.h"

namespace lumdrift {
namespace {

using enum ControlId;

void fetchInto(HttpReader& http, Controls& slots, ControlId slot, std::string_view path) {
  slots.setText(slot, bytesToText(http.read(templateUrl(path))));
}

void fetchCodeTemplates(HttpReader& http, Controls& slots) {
  fetchInto(http, slots, 编辑框7, kTmallCodePath);
  fetchInto(http, slots, 编辑框8, kCodePath);
}

}  // namespace

void downloadTemplates(HttpReader& http, Controls& slots) {
  fetchCodeTemplates(http, slots);
  fetchInto(http, slots, 编辑框10, kPreviewPath);
  fetchInto(http, slots, 编辑框11, kPreviewPath);
  // One repeat, straight away, when the first answer was empty; an empty code
  // template of the other editions alone is not retried.
  if (slots.text(编辑框7).empty()) fetchCodeTemplates(http, slots);
}

}  // namespace lumdrift
