#include "templates/download_worker.h"

#include "base/gbk.h"
#include "templates/response_body.h"
#include "templates/template_table.h"

namespace lumdrift {
namespace {

// True when the server delivered the template.
bool fetch(HttpReader& http, SharedTemplateStore& store, const Template& t, bool lastChance) {
  // The site serves GBK; it is decoded once, here.
  Text text = decodeGbk(bytesToText(http.read(templateUrl(t))));
  if (!text.empty()) {
    store.delivered(t.id, std::move(text));
    return true;
  }
  if (lastChance) store.abandoned(t.id);
  return false;
}

}  // namespace

void downloadTemplates(HttpReader& http, SharedTemplateStore& store) {
  // The rows in order, each once; when the first came back empty, the rows
  // that follow it are fetched once more, at the end.
  bool firstDelivered = false;
  for (const Template& t : kTemplates) {
    const bool delivered = fetch(http, store, t, !t.followsFirst || firstDelivered);
    if (&t == &kTemplates[0]) firstDelivered = delivered;
  }
  if (firstDelivered) return;
  for (const Template& t : kTemplates) {
    if (t.followsFirst) fetch(http, store, t, true);
  }
}

}  // namespace lumdrift
