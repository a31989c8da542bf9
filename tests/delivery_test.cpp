#include "generator/delivery.h"

#include <gtest/gtest.h>

#include "base/captions.h"
#include "generator/markers.h"
#include "tests/harness.h"

namespace lumdrift::test {
namespace {

using enum ControlId;
namespace c = caption;

// Logs every write to the controls and every platform call in one sequence.
struct Journal {
  std::vector<std::string> entries;
};

struct JournalControls : ControlModel {
  explicit JournalControls(Journal& j) : journal(j) {}
  Journal& journal;
  void setText(ControlId id, const Text& t) override {
    if (id == ResultLabel || id == GenerateButton || id == CodeOutput)
      journal.entries.push_back("text:" + t);
    ControlModel::setText(id, t);
  }
  Text text(ControlId id) const override {
    if (id == CodeOutput) journal.entries.push_back("read output");
    return ControlModel::text(id);
  }
  void setVisible(ControlId id, bool v) override {
    if (id == ResultLabel) journal.entries.push_back(v ? "label shown" : "label hidden");
    ControlModel::setVisible(id, v);
  }
  void setEnabled(ControlId id, bool e) override {
    if (id == GenerateButton) journal.entries.push_back(e ? "enabled" : "disabled");
    ControlModel::setEnabled(id, e);
  }
  void setBold(ControlId id, bool b) override {
    journal.entries.push_back(b ? "bold" : "not bold");
    ControlModel::setBold(id, b);
  }
};

struct JournalClipboard : Clipboard {
  explicit JournalClipboard(Journal& j) : journal(j) {}
  Journal& journal;
  bool works = true;
  bool putText(std::string_view t) override {
    journal.entries.push_back("clipboard:" + std::string(t));
    return works;
  }
};

struct JournalFiles : FileWriter {
  explicit JournalFiles(Journal& j) : journal(j) {}
  Journal& journal;
  bool replaceFile(const Text& path, std::string_view bytes) override {
    journal.entries.push_back("file:" + path + "=" + std::string(bytes));
    return true;
  }
  bool makeFolder(const Text&) override { return true; }
};

class DeliveryOrder : public ::testing::Test {
 protected:
  DeliveryOrder() {
    templates.delivered(TemplateId::Code, "T" + std::string(kCodeMarker));
    templates.delivered(TemplateId::Preview, "P[386412957]");
    ui.ControlModel::setText(CodeInput, "x");
  }
  Journal journal;
  JournalControls ui{journal};
  NoLog log;
  SharedTemplateStore templates{log};
  JournalClipboard clipboard{journal};
  JournalFiles files{journal};
  FakeShell shell;
  FakeDownload download;
  FakeDesktop desktop;
  Services services{ui, templates, clipboard, files, shell, download, desktop, {"D:", "a.exe"}};
};

TEST_F(DeliveryOrder, WritesInTheOrderTheUserSeesThem) {
  dispatch(services, GenerateButton, Event::Clicked);
  const std::vector<std::string> expected = {
      "label shown", "text:" + std::string(c::kSuccess),
      "not bold",    "text:" + std::string(c::kGenerateBusy),
      "disabled",    "text:Tx",
      "read output", "clipboard:Tx",
      "read output", "file:D:\\yl.htm=P[Tx]",
      "bold",        "text:" + std::string(c::kGenerateIdle),
      "enabled",
  };
  EXPECT_EQ(journal.entries, expected);
}

TEST_F(DeliveryOrder, ClipboardFailureIsReportedAfterDelivery) {
  clipboard.works = false;
  dispatch(services, GenerateButton, Event::Clicked);
  EXPECT_EQ(ui.state(ResultLabel).text, c::kClipboardFailed);
  EXPECT_TRUE(ui.state(ResultLabel).visible);
  EXPECT_EQ(ui.state(CodeOutput).text, "Tx");
  EXPECT_EQ(ui.state(GenerateButton).text, c::kGenerateIdle);
  EXPECT_TRUE(ui.state(GenerateButton).enabled);
  const auto file =
      std::find(journal.entries.begin(), journal.entries.end(), "file:D:\\yl.htm=P[Tx]");
  const auto failed = std::find(journal.entries.begin(), journal.entries.end(),
                                "text:" + std::string(c::kClipboardFailed));
  ASSERT_NE(file, journal.entries.end());
  EXPECT_GT(failed, file);
}

// The output box of a real window may hold the text differently from what was
// written (an edit box converts lone line feeds, for one); delivery passes on
// what the box holds.
struct NormalisingOutput : ControlModel {
  void setText(ControlId id, const Text& t) override {
    ControlModel::setText(id, id == CodeOutput ? t + "!" : t);
  }
};

TEST(Delivery, ClipboardAndPageTakeTheOutputBoxText) {
  NormalisingOutput ui;
  NoLog log;
  SharedTemplateStore templates{log};
  FakeClipboard clipboard;
  FakeFiles files;
  FakeShell shell;
  FakeDownload download;
  FakeDesktop desktop;
  Services s{ui, templates, clipboard, files, shell, download, desktop, {"C:\\a", "b.exe"}};
  PreviewPages pages{files, s.location.directory, s.folders.ownData, s.preview};
  EXPECT_TRUE(deliver(ui, clipboard, pages, "R", "<386412957|386412957>").copied);
  EXPECT_EQ(clipboard.puts, std::vector<std::string>{"R!"});
  ASSERT_EQ(files.writes.size(), 1u);
  EXPECT_EQ(files.writes[0].path, "C:\\a\\yl.htm");
  EXPECT_EQ(files.writes[0].bytes, "<R!|386412957>");  // the first marker only
}

TEST(Delivery, PreviewTemplateWithoutMarkerIsWrittenAlone) {
  Harness h;
  PreviewPages pages{h.files, "C:\\Tools", h.services.folders.ownData, h.services.preview};
  EXPECT_TRUE(deliver(h.ui, h.clipboard, pages, "code", "<html></html>").pageSaved);
  EXPECT_EQ(h.files.writes.back().bytes, "<html></html>");
}

TEST(Delivery, EditedOutputDoesNotReachClipboardUntilNextGeneration) {
  Harness h;
  h.templates.delivered(TemplateId::Code, "A" + std::string(kCodeMarker));
  h.templates.delivered(TemplateId::Preview, "386412957");
  h.type(CodeInput, "1");
  h.click(GenerateButton);
  h.type(CodeOutput, "edited by hand");
  EXPECT_EQ(h.clipboard.puts, std::vector<std::string>{"A1"});
  h.type(CodeInput, "22");
  h.click(GenerateButton);
  EXPECT_EQ(h.clipboard.puts.back(), "A22");
  EXPECT_EQ(h.files.writes.back().bytes, "A22");
}

// The unrepaired result goes in with the list, as text no code can end or
// take for the page's markers; a template without the list's marker gets
// neither.
TEST(Delivery, UnrepairedResultStaysTextBesideTheList) {
  const char* before = "</textarea><script>a(\"&lt;\")</script>386412957<!--lumdrift-repairs-->";
  EXPECT_EQ(previewPage("<h><!--lumdrift-repairs--><b>386412957</b>", "R", "<ul></ul>", before),
            "<h><ul></ul><textarea id=\"ld-before\" hidden>\r\n"
            "&lt;/textarea&gt;&lt;script&gt;a(&quot;&amp;lt;&quot;)&lt;/script&gt;"
            "386412957&lt;!--lumdrift-repairs--&gt;</textarea>\r\n<b>R</b>");
  EXPECT_EQ(previewPage("<h><b>386412957</b>", "R", "<ul></ul>", before), "<h><b>R</b>");
}

TEST(ButtonLooks, StartBusyIdle) {
  Harness h;
  EXPECT_EQ(h[GenerateButton].text, c::kGenerateStart);
  EXPECT_TRUE(h[GenerateButton].bold);
  setGenerateBusy(h.ui);
  EXPECT_EQ(h[GenerateButton].text, c::kGenerateBusy);
  EXPECT_FALSE(h[GenerateButton].bold);
  EXPECT_FALSE(h[GenerateButton].enabled);
  setGenerateIdle(h.ui);
  EXPECT_EQ(h[GenerateButton].text, c::kGenerateIdle);
  EXPECT_TRUE(h[GenerateButton].bold);
  EXPECT_TRUE(h[GenerateButton].enabled);
}

TEST(ResultLabel, TickHidesItWhateverItShows) {
  Harness h;
  h.tick();
  EXPECT_FALSE(h[ResultLabel].visible);
  h.click(GenerateButton);  // no template yet: the waiting message
  EXPECT_TRUE(h[ResultLabel].visible);
  h.tick();
  EXPECT_FALSE(h[ResultLabel].visible);
  EXPECT_EQ(h[ResultLabel].text, c::kWaiting);
}

// The preview opens this run's page wherever it could be written, and says
// why when there is none; it never opens a page left from before.
class Preview : public ::testing::Test {
 protected:
  Preview() {
    h.templates.delivered(TemplateId::Code, std::string(kCodeMarker));
    h.templates.delivered(TemplateId::Preview, "<p>386412957</p>");
    h.type(CodeInput, "宽👉");
  }
  Harness h;
  const Text own = "C:\\Users\\seller\\AppData\\Local\\Lumdrift";
};

TEST_F(Preview, BeforeAnyGenerationSaysSoAndOpensNothing) {
  h.click(PreviewButton);
  EXPECT_TRUE(h.shell.opened.empty());
  EXPECT_TRUE(h[ResultLabel].visible);
  EXPECT_EQ(h[ResultLabel].text, c::kPreviewFirst);
}

TEST_F(Preview, OpensThePageBesideTheProgram) {
  h.click(GenerateButton);
  ASSERT_EQ(h.files.writes.size(), 1u);
  EXPECT_EQ(h.files.writes[0].path, "C:\\Tools\\yl.htm");
  EXPECT_EQ(h.files.writes[0].bytes, "<p>\xBF\xED&#128073;</p>");
  h.click(PreviewButton);
  EXPECT_EQ(h.shell.opened, std::vector<Text>{"C:\\Tools\\yl.htm"});
}

TEST_F(Preview, AFolderThatRefusesThePageSendsItToTheUsersFolder) {
  h.files.refused = {"C:\\Tools"};
  h.click(GenerateButton);
  EXPECT_EQ(h[ResultLabel].text, c::kSuccess);
  EXPECT_EQ(h.files.folders, std::vector<Text>{own});
  ASSERT_EQ(h.files.writes.size(), 1u);
  EXPECT_EQ(h.files.writes[0].path, own + "\\yl.htm");
  h.click(PreviewButton);
  EXPECT_EQ(h.shell.opened, std::vector<Text>{own + "\\yl.htm"});
  // Once the program's folder takes it again, the page is back beside it.
  h.files.refused.clear();
  h.click(GenerateButton);
  h.click(PreviewButton);
  EXPECT_EQ(h.shell.opened.back(), "C:\\Tools\\yl.htm");
}

TEST_F(Preview, APageWrittenNowhereIsReportedAndNotOpened) {
  h.files.refused = {"C:\\Tools", own};
  h.click(GenerateButton);
  EXPECT_EQ(h[ResultLabel].text, c::kPreviewNotSaved);
  EXPECT_EQ(h[CodeOutput].text, "宽👉");
  EXPECT_EQ(h.clipboard.puts.back(), "宽👉");
  h.tick();
  h.click(PreviewButton);
  EXPECT_TRUE(h.shell.opened.empty());
  EXPECT_TRUE(h[ResultLabel].visible);
  EXPECT_EQ(h[ResultLabel].text, c::kPreviewNotSaved);
}

TEST_F(Preview, AShellThatCannotOpenThePageIsReported) {
  h.click(GenerateButton);
  h.shell.works = false;
  h.click(PreviewButton);
  EXPECT_EQ(h[ResultLabel].text, c::kPreviewOpenFailed);
}

}  // namespace
}  // namespace lumdrift::test
