#pragma once
// The controls in memory with recording stand-ins for the platform, driven the
// way a user drives the window.

#include <string>
#include <vector>

#include "app/events.h"
#include "templates/template_store.h"
#include "tests/support/control_model.h"

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
  // Paths under a refused folder fail, as a read-only folder refuses them.
  std::vector<Text> refused;
  std::vector<Text> folders;
  bool replaceFile(const Text& path, std::string_view bytes) override {
    for (const Text& folder : refused) {
      if (path.starts_with(folder + "\\")) return false;
    }
    writes.push_back({path, std::string(bytes)});
    return true;
  }
  bool makeFolder(const Text& path) override {
    folders.push_back(path);
    return true;
  }
};

struct FakeShell : Shell {
  bool works = true;
  std::vector<Text> opened;
  bool openDocument(const Text& path) override {
    if (works) opened.push_back(path);
    return works;
  }
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
  bool works = true;
  bool createShortcut(const Text& link, const Text& target, const Text& desc) override {
    if (works) links.push_back({link, target, desc});
    return works;
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
  Services services{ui,
                    templates,
                    clipboard,
                    files,
                    shell,
                    download,
                    desktop,
                    ProgramLocation{"C:\\Tools", "Lumdrift.exe"},
                    UserFolders{"C:\\Users\\seller\\AppData\\Local\\Lumdrift",
                                "C:\\Users\\seller\\AppData\\Local\\Temp"}};

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
