#include "templates/template_store.h"

#include <string>

#include "base/gbk.h"
#include "templates/builtin_templates.h"

namespace lumdrift {
namespace {

std::string named(TemplateId id, std::string_view what) {
  const Template& t = templateRow(id);
  return std::string(t.name) + " (" + std::string(t.path) + "): " + std::string(what);
}

}  // namespace

SharedTemplateStore::SharedTemplateStore(DebugLog& log, std::uint64_t patienceMs)
    : log_(log),
      deadline_(std::chrono::steady_clock::now() + std::chrono::milliseconds(patienceMs)) {}

Text SharedTemplateStore::read(TemplateId id) const {
  bool firstFallback = false;
  Text builtin;
  {
    std::lock_guard lock(guard_);
    Slot& slot = slots_[static_cast<int>(id)];
    if (slot.arrived) return slot.server;
    if (!slot.abandoned && std::chrono::steady_clock::now() < deadline_) return {};
    firstFallback = !slot.builtinLogged;
    slot.builtinLogged = true;
    // The built-in copies are the site's GBK files, decoded like the server's.
    if (slot.builtin.empty()) slot.builtin = decodeGbk(builtinTemplate(id));
    builtin = slot.builtin;
  }
  if (firstFallback) {
    log_.line(named(id, "not here in time; the built-in copy stands in until the server's comes"));
  }
  return builtin;
}

void SharedTemplateStore::delivered(TemplateId id, Text text) {
  if (text.empty()) return;
  bool replacesBuiltin = false;
  {
    // The caller's copy is moved in: a reader waits for the swap, not a copy.
    std::lock_guard lock(guard_);
    Slot& slot = slots_[static_cast<int>(id)];
    slot.server.swap(text);
    slot.arrived = true;
    replacesBuiltin = slot.builtinLogged;
  }
  if (replacesBuiltin)
    log_.line(named(id, "the server's copy came and replaces the built-in copy"));
}

void SharedTemplateStore::abandoned(TemplateId id) {
  {
    std::lock_guard lock(guard_);
    Slot& slot = slots_[static_cast<int>(id)];
    if (slot.arrived || slot.abandoned) return;
    slot.abandoned = true;
    slot.builtinLogged = true;
  }
  log_.line(named(id, "the server's copy did not come; the built-in copy stands in"));
}

}  // namespace lumdrift
