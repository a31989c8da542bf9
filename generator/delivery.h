#pragma once
// What the user sees and gets around a generation: the result label, the
// generate button's looks, the output box, the clipboard and the preview page.

#include "base/result_message.h"
#include "base/services.h"

namespace lumdrift {

void setGenerateBusy(Controls& ui);
void setGenerateIdle(Controls& ui);

// Where the preview page may go, and the record of where it went.
struct PreviewPages {
  FileWriter& files;
  const Text& programDirectory;  // first choice: beside the program
  const Text& ownFolder;         // the user's own folder, when the first refuses
  PreviewRecord& record;
};

struct Delivered {
  bool copied = false;     // the clipboard holds the result
  bool pageSaved = false;  // the preview page holds it, beside the program or in the user's folder
};

// Writes the result into the output box, copies the box's text to the
// clipboard and writes the preview page from it, with the list of what was
// repaired in the seller's code (HTML; empty when nothing was) and the
// result the seller's code would have given unrepaired, which the page can
// show instead. Each part is delivered even when another fails.
Delivered deliver(Controls& ui, Clipboard& clipboard, PreviewPages& pages, const Text& result,
                  const Text& previewTemplate, std::string_view repairList = {},
                  std::string_view before = {});

// The preview template with the code at its preview marker and the repair
// list at its repair marker, when the template has one before the code; the
// unrepaired result goes in with the list, as text.
Text previewPage(std::string_view previewTemplate, std::string_view code,
                 std::string_view repairList, std::string_view before = {});

// The click handler of the preview button: opens this run's page, or says
// why there is none.
void openPreview(Controls& ui, const PreviewRecord& preview, Shell& shell);
// The tick handler of the timer.
void hideResultLabel(Controls& ui);

}  // namespace lumdrift
