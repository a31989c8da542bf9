#include "templates/download_worker.h"

#include "templates/response_body.h"
#include "templates/template_source.h"

namespace lumdrift {
namespace {

using enum TemplateId;

void fetchInto(HttpReader& http, TemplateStore& store, TemplateId id, std::string_view path) {
  store.write(id, bytesToText(http.read(templateUrl(path))));
}

void fetchCodeTemplates(HttpReader& http, TemplateStore& store) {
  fetchInto(http, store, TmallCode, kTmallCodePath);
  fetchInto(http, store, Code, kCodePath);
}

}  // namespace

void downloadTemplates(HttpReader& http, TemplateStore& store) {
  fetchCodeTemplates(http, store);
  fetchInto(http, store, Preview, kPreviewPath);
  fetchInto(http, store, TmallPreview, kPreviewPath);
  // One repeat, straight away, when the first answer was empty; an empty code
  // template of the other editions alone is not retried.
  if (store.read(TmallCode).empty()) fetchCodeTemplates(http, store);
}

}  // namespace lumdrift
