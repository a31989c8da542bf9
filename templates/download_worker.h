#pragma once
// The download of the templates into the store, one request after the
// other, on a thread of its own.

#include "base/services.h"
#include "templates/template_store.h"

namespace lumdrift {

class HttpReader {
 public:
  virtual ~HttpReader() = default;
  // The response body of a GET; empty when the fetch failed in any way.
  virtual std::string read(const Text& url) = 0;
};

// Fetches the templates in the template table's order, and the rows that
// follow the first once more when the first came back empty. A template whose
// last fetch of the run fails is given up to its built-in copy.
void downloadTemplates(HttpReader& http, SharedTemplateStore& store);

}  // namespace lumdrift
