#pragma once
// What the handlers need of the platform besides the controls. Each service
// is small so that tests can stand in for it and the Windows side implements
// it in one file.

#include "base/controls.h"
#include "base/template_id.h"

namespace lumdrift {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // Puts the text on the clipboard as Unicode text; false when it could not.
  virtual bool putText(std::string_view text) = 0;
};

class FileWriter {
 public:
  virtual ~FileWriter() = default;
  // Replaces the whole file with the bytes; false when it could not, and then
  // the previous file is left as it was.
  virtual bool replaceFile(const Text& path, std::string_view bytes) = 0;
  // Makes the folder unless it is there; false when it is not there after.
  virtual bool makeFolder(const Text& path) = 0;
};

class Shell {
 public:
  virtual ~Shell() = default;
  // Opens a document with the program associated with it; false when the
  // shell could not.
  virtual bool openDocument(const Text& path) = 0;
};

// Filled by the download on its own thread, read by generation on the GUI
// thread: a reader sees a template either empty or whole, never in part.
class TemplateStore {
 public:
  virtual ~TemplateStore() = default;
  // The template to generate with now; empty while it is still on its way.
  virtual Text read(TemplateId id) const = 0;
};

// Lines for a person looking into a problem; the user never sees them.
class DebugLog {
 public:
  virtual ~DebugLog() = default;
  virtual void line(std::string_view text) = 0;
};

class DownloadStarter {
 public:
  virtual ~DownloadStarter() = default;
  // Starts fetching the templates beside the GUI thread and returns at once.
  virtual void start() = 0;
};

class Desktop {
 public:
  virtual ~Desktop() = default;
  // The user's desktop folder, ending in a backslash; empty when unknown.
  virtual Text folder() = 0;
  virtual bool createShortcut(const Text& linkPath, const Text& targetPath,
                              const Text& description) = 0;
};

// Where the running executable lies, taken once at start-up.
struct ProgramLocation {
  Text directory;       // no trailing backslash; "D:" for the root of a drive
  Text executableName;  // with its extension
};

// Folders of the user's own, taken once at start-up; empty when unknown.
struct UserFolders {
  Text ownData;  // where the preview page goes when the program's folder refuses it
  Text temp;     // the temporary folder, long form, no trailing backslash
};

// The preview page of this run's last generation.
struct PreviewRecord {
  bool generated = false;
  Text page;  // where it was written; empty when it could be written nowhere
};

// What the process gives the event handlers; the event table hands each
// handler only the parts it uses.
struct Services {
  Controls& ui;
  TemplateStore& templates;
  Clipboard& clipboard;
  FileWriter& files;
  Shell& shell;
  DownloadStarter& download;
  Desktop& desktop;
  ProgramLocation location;
  UserFolders folders = {};
  PreviewRecord preview = {};
};

}  // namespace lumdrift
