// Generates code and a preview page from template files, through the same
// controls and handlers as the window, for checks outside the window.
//
//   lumdrift-generate --code-template F --preview-template F --edition 0|1|2
//                     --width W --height H --spacing S --code F --out DIR
//
// Every file in and out is GBK, as the template site's are: writes DIR/yl.htm
// and prints the generated code.

#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>

#include "app/events.h"
#include "base/gbk.h"
#include "generator/page_bytes.h"
#include "templates/template_store.h"
#include "tests/support/control_model.h"
#include "tests/support/portable_file_writer.h"

namespace {

using namespace lumdrift;
using enum ControlId;

struct StdoutClipboard : Clipboard {
  bool putText(std::string_view text) override {
    const std::string bytes = gbkWithReferences(text);
    std::cout.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(std::cout);
  }
};
struct NoShell : Shell {
  bool openDocument(const Text&) override { return false; }
};
struct NoDownload : DownloadStarter {
  void start() override {}
};
struct NoLog : DebugLog {
  void line(std::string_view) override {}
};
struct NoDesktop : Desktop {
  Text folder() override { return {}; }
  bool createShortcut(const Text&, const Text&, const Text&) override { return false; }
};

bool readFile(const std::string& path, std::string& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::stringstream ss;
  ss << in.rdbuf();
  out = decodeGbk(ss.str());
  return true;
}

int usage() {
  std::cerr << "usage: lumdrift-generate --code-template F --preview-template F --edition 0|1|2"
               " --width W --height H --spacing S --code F --out DIR\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::map<std::string, std::string> args;
  for (int i = 1; i + 1 < argc; i += 2) args[argv[i]] = argv[i + 1];
  for (const char* key : {"--code-template", "--preview-template", "--edition", "--width",
                          "--height", "--spacing", "--code", "--out"}) {
    if (!args.count(key)) return usage();
  }
  std::string codeTemplate, previewTemplate, code;
  if (!readFile(args["--code-template"], codeTemplate) ||
      !readFile(args["--preview-template"], previewTemplate) || !readFile(args["--code"], code)) {
    std::cerr << "lumdrift-generate: cannot read an input file\n";
    return 1;
  }
  if (codeTemplate.empty()) {
    std::cerr << "lumdrift-generate: the code template is empty\n";
    return 1;
  }

  ControlModel ui;
  NoLog log;
  SharedTemplateStore templates{log};
  StdoutClipboard clipboard;
  PortableFileWriter files;
  NoShell shell;
  NoDownload download;
  NoDesktop desktop;
  Services s{ui, templates, clipboard, files, shell, download, desktop, {args["--out"], "lumdrift"},
             {}};

  const int edition = std::stoi(args["--edition"]);
  for (TemplateId id : {TemplateId::TmallCode, TemplateId::Code})
    templates.delivered(id, codeTemplate);
  for (TemplateId id : {TemplateId::Preview, TemplateId::TmallPreview}) {
    templates.delivered(id, previewTemplate);
  }
  // As a user would: pick the edition, then type the width, which sets the offset.
  ui.select(EditionList, edition);
  dispatch(s, EditionList, Event::ItemSelected);
  ui.setText(WidthEdit, args["--width"]);
  dispatch(s, WidthEdit, Event::TextChanged);
  ui.setText(HeightEdit, args["--height"]);
  ui.select(SpacingList, 3);
  dispatch(s, SpacingList, Event::ItemSelected);
  ui.setText(SpacingEdit, args["--spacing"]);
  ui.setText(CodeInput, code);
  dispatch(s, GenerateButton, Event::Clicked);
  std::cout.flush();
  return 0;
}
