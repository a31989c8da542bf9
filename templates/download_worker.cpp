#include "templates/download_worker.h"

#include "base/gbk.h"
#include "templates/response_body.h"
#include "templates/template_source.h"

namespace lumdrift {
namespace {

using enum TemplateId;

// True when the server delivered the template.
bool fetch(HttpReader& http, SharedTemplateStore& store, TemplateId id, bool lastChance) {
  // The site serves GBK; it is decoded once, here.
  Text text = decodeGbk(bytesToText(http.read(templateUrl(templatePath(id)))));
  if (!text.empty()) {
    store.delivered(id, std::move(text));
    return true;
  }
  if (lastChance) store.abandoned(id);
  return false;
}

}  // namespace

void downloadTemplates(HttpReader& http, SharedTemplateStore& store) {
  // Without the Tmall code template both code templates come once more, at
  // once; the other templates are fetched once only.
  const bool tmall = fetch(http, store, TmallCode, false);
  fetch(http, store, Code, tmall);
  fetch(http, store, Preview, true);
  fetch(http, store, TmallPreview, true);
  if (tmall) return;
  fetch(http, store, TmallCode, true);
  fetch(http, store, Code, true);
}

}  // namespace lumdrift
