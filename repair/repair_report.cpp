#include "repair/repair_report.h"

#include <string>

#include "base/html_text.h"

namespace lumdrift {
namespace {

// Tags counted by name: the sentence needs only the total and whether they
// all share one name, which one pass tells.
struct Counted {
  Text firstName;
  int count = 0;
  bool oneName = true;

  void add(const Text& name) {
    if (count == 0) firstName = name;
    oneName = oneName && name == firstName;
    ++count;
  }
  bool empty() const { return count == 0; }
};

// "1个多余的</div>" for one name, "3个多余的结束标签" for several.
Text tags(const Counted& counted, std::string_view what) {
  const Text n = std::to_string(counted.count) + Text(what);
  return counted.oneName ? n + "</" + counted.firstName + ">" : n + "结束标签";
}

struct Row {
  std::string_view key;    // for the page's own checks
  std::string_view label;  // what was repaired
  std::string_view note;   // why
};

Row rowFor(RepairKind kind) {
  switch (kind) {
    case RepairKind::HotSpot:
      return {"hotspot", "热区位置",
              "店铺会删掉行内 position，热区会挤到模块左上角。已改为放进一层不占高度的行，"
              "用 inline-block 和 margin 摆回原来的位置：不靠 position，也不靠 flex，"
              "店铺留下什么都能点到。"};
    case RepairKind::Placement:
      return {"placement", "元素位置",
              "店铺会删掉行内 position。已改为放进一层不占高度的行，用 inline-block 和 "
              "margin 摆回原来的位置。"};
    case RepairKind::PositionedBox:
      return {"box", "定位容器", "里面的元素已不再靠它定位，去掉它的 position，店铺删不删都一样。"};
    case RepairKind::StrayEndTag:
      return {"stray", "多余的结束标签",
              "没有对应的开始标签：在店铺里会提前结束全屏代码外面的层，后面的模块会错位，已删掉。"};
    case RepairKind::UnclosedElement:
      return {"unclosed", "没结束的标签",
              "没有结束标签：后面的内容和全屏代码的外层会落进它里面。已在代码末尾补上。"};
    case RepairKind::UnfinishedMarkup:
      return {"unfinished", "没写完的标签或注释",
              "代码停在标签或注释中间，会吞掉全屏代码外层的结束标签。已补全。"};
    case RepairKind::OldWrapper:
      return {"wrapper", "旧的全屏外层",
              "代码里已经有一层全屏代码，再套一层会移两次，设计会落到别处。已去掉旧的外层，"
              "按现在选的版本和尺寸重新生成。"};
  }
  return {"", "", ""};
}

Text nowOf(const Repair& r) {
  switch (r.kind) {
    case RepairKind::StrayEndTag: return "（删掉）";
    case RepairKind::UnclosedElement: return "代码末尾补上 " + r.now;
    case RepairKind::OldWrapper:
      return r.now.empty() ? Text("（去掉，按现在的设置重新生成）")
                           : "保留带图片或颜色的这一层，只去掉居中：" + r.now;
    default: return r.now;
  }
}

}  // namespace

Text repairSentence(const Repairs& repairs) {
  int hotSpots = 0, placed = 0, unfinished = 0, wrappers = 0;
  Counted stray, unclosed;
  for (const Repair& r : repairs) {
    switch (r.kind) {
      case RepairKind::HotSpot: ++hotSpots; break;
      case RepairKind::Placement: ++placed; break;
      case RepairKind::StrayEndTag: stray.add(r.name); break;
      case RepairKind::UnclosedElement: unclosed.add(r.name); break;
      case RepairKind::UnfinishedMarkup: ++unfinished; break;
      case RepairKind::OldWrapper: ++wrappers; break;
      case RepairKind::PositionedBox: break;  // part of moving what it held
    }
  }
  std::vector<Text> parts;
  if (wrappers > 0) parts.push_back("去掉旧的全屏外层");
  // The hot spots are what the seller cares for; other elements placed with
  // them are named only when there is no hot spot.
  if (hotSpots > 0) {
    parts.push_back("修复" + std::to_string(hotSpots) + "个热区的位置");
  } else if (placed > 0) {
    parts.push_back("修复" + std::to_string(placed) + "个元素的位置");
  }
  if (!stray.empty()) parts.push_back("去掉" + tags(stray, "个多余的"));
  if (unfinished > 0) parts.push_back("补全没写完的标签");
  if (!unclosed.empty()) parts.push_back("补上" + tags(unclosed, "个"));
  if (parts.empty()) return {};
  // Two are what the label has room for; the preview lists them all.
  constexpr std::size_t kShown = 2;
  Text sentence = "已";
  for (std::size_t i = 0; i < parts.size() && i < kShown; ++i) {
    if (i > 0) sentence += "、";
    sentence += parts[i];
  }
  if (parts.size() > kShown) sentence += "等";
  return sentence;
}

Text repairList(const Repairs& repairs) {
  if (repairs.empty()) return {};
  Text html = "<div class=\"ld-report ld-repairs\" id=\"ld-repairs\"><h2>工具已自动修复（" +
              std::to_string(repairs.size()) +
              " 处）</h2><table><thead><tr><th>修复</th><th>原来的写法</th><th>修复后</th>"
              "<th>为什么</th></tr></thead><tbody>\r\n";
  // A page of thousands of rows helps no one and costs the click its time.
  constexpr std::size_t kListed = 50;
  for (std::size_t i = 0; i < repairs.size() && i < kListed; ++i) {
    const Repair& r = repairs[i];
    const Row row = rowFor(r.kind);
    html += "<tr data-repair=\"" + Text(row.key) + "\"><td class=\"ld-short\">" + Text(row.label) +
            "</td><td><code>" + htmlEscaped(r.was) + "</code></td><td><code>" +
            htmlEscaped(nowOf(r)) + "</code></td><td>" + Text(row.note) + "</td></tr>\r\n";
  }
  html += "</tbody></table>";
  if (repairs.size() > kListed) {
    html += "<p>另有 " + std::to_string(repairs.size() - kListed) + " 处修复没有逐条列出。</p>";
  }
  html +=
      "<p class=\"ld-note\">输入框里的代码没有改动；复制到剪贴板的是修复后的代码。"
      "</p></div>\r\n";
  return html;
}

}  // namespace lumdrift
