#pragma once
// The download of the four templates into their slots, one request after the
// other, on a thread of its own.

#include "app/controls.h"

namespace lumdrift {

class HttpReader {
 public:
  virtual ~HttpReader() = default;
  // The response body of a GET; empty when the fetch failed in any way.
  virtual std::string read(const Text& url) = 0;
};

// Fetches the templates and writes the slots: the Tmall code template, the
// code template, the preview template twice (one slot per edition pair), and
// the two code templates once more when the Tmall one came back empty.
// `slots` must be safe to write from the calling thread.
void downloadTemplates(HttpReader& http, Controls& slots);

}  // namespace lumdrift
