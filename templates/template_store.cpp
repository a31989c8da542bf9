#include "templates/template_store.h"

namespace lumdrift {

Text SharedTemplateStore::read(TemplateId id) const {
  std::lock_guard lock(guard_);
  return texts_[static_cast<int>(id)];
}

void SharedTemplateStore::write(TemplateId id, Text text) {
  // The caller's copy is moved in: a reader waits for the swap, not a copy.
  std::lock_guard lock(guard_);
  texts_[static_cast<int>(id)].swap(text);
}

}  // namespace lumdrift
