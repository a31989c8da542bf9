#pragma once
// The controls in memory with recording stand-ins for the platform, driven the
// way a user drives the window.

#include <string>
#include <vector>

#include "app/events.h"
#include "base/control_model.h"
#include "templates/template_store.h"

namespace lumdrift::test {

struct FakeClipboard : Clipboard {
  bool works = true;
  std::vector<std::string> puts;
  bool putText(std::string_view text) override {
    if (!works) return false;
    puts.emplace_back(text);
    return true;
  }
};

struct FakeFiles : FileWriter {
  struct Write {
    Text path;
    std::string bytes;
  };
  std::vector<Write> writes;
  bool replaceFile(const Text& path, std::string_view bytes) override {
    writes.push_back({path, std::string(bytes)});
    return true;
  }
};

struct FakeShell : Shell {
  std::vector<Text> opened;
  void openDocument(const Text& path) override { opened.push_back(path); }
};

struct FakeDownload : DownloadStarter {
  int starts = 0;
  void start() override { ++starts; }
};

struct FakeDesktop : Desktop {
  Text desktopFolder = "C:\\Users\\seller\\Desktop\\";
  struct Link {
    Text link, target, description;
  };
  std::vector<Link> links;
  Text folder() override { return desktopFolder; }
  bool createShortcut(const Text& link, const Text& target, const Text& desc) override {
    links.push_back({link, target, desc});
    return true;
  }
};

struct NoLog : DebugLog {
  void line(std::string_view) override {}
};

struct Harness {
  ControlModel ui;
  NoLog log;
  SharedTemplateStore templates{log};
  FakeClipboard clipboard;
  FakeFiles files;
  FakeShell shell;
  FakeDownload download;
  FakeDesktop desktop;
  Services services{ui,    templates, clipboard, files,
                    shell, download,  desktop,   ProgramLocation{"C:\\Tools", "Lumdrift.exe"}};

  // What the user's actions send to the window.
  void selectItem(ControlId list, int index) {
    ui.select(list, index);
    dispatch(services, list, Event::ItemSelected);
  }
  void type(ControlId edit, const Text& text) {
    ui.setText(edit, text);
    dispatch(services, edit, Event::TextChanged);
  }
  void click(ControlId button) { dispatch(services, button, Event::Clicked); }
  void doubleClick(ControlId edit) { dispatch(services, edit, Event::DoubleClicked); }
  void tick() { dispatch(services, ControlId::ResultTimer, Event::Tick); }

  const ControlState& operator[](ControlId id) const { return ui.state(id); }
};

}  // namespace lumdrift::test
