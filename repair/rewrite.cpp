#include "repair/rewrite.h"

#include "base/number_format.h"

namespace lumdrift {
namespace {

constexpr std::string_view kLine = "<div style=\"height:0;text-align:left;text-indent:0\">";

class Writer {
 public:
  explicit Writer(const Rewrite& w) : w_(w), r_(w.reading), code_(w.code) {}

  Text run() {
    out_.reserve(code_.size() + code_.size() / 8 + 256);
    const Rewrite::Design& d = w_.design;
    if (d.box != kNoElement && d.keepBox) {
      element(d.box);
    } else {
      const std::vector<int>& top = d.box == kNoElement ? r_.topLevel : r_.elements[d.box].children;
      content(kNoElement, top, d.begin, d.end);
    }
    out_ += w_.after;
    return std::move(out_);
  }

 private:
  // The code from `from` to `to`, less the end tags taken out.
  void copy(std::size_t from, std::size_t to) {
    w_.eachKept(from, to, [&](std::string_view part) { out_.append(part); });
  }

  void lines(const std::vector<int>& ids) {
    for (int id : ids) {
      out_ += kLine;
      element(id);
      out_ += "</div>";
    }
  }

  // A box's content: the lines beneath it, then its children where they
  // stand, then the lines over it. Recursion is bounded by the nesting of
  // moved elements, which each hold a link; the rest is walked by `element`.
  void content(int box, const std::vector<int>& children, std::size_t from, std::size_t to) {
    const auto lined = w_.lined.find(box);
    const LinedBox* l = lined == w_.lined.end() ? nullptr : &lined->second;
    if (l != nullptr) lines(l->under);
    const bool over = l != nullptr && !l->over.empty();
    if (over) out_ += "<div style=\"height:" + cssPixels(l->height) + "\">";
    std::size_t at = from;
    for (int c : children) {
      const Element& e = r_.elements[c];
      const std::size_t begin = r_.tag(e).begin;
      if (begin < from || begin >= to) continue;
      copy(at, begin);
      at = e.end;
      if (!w_.moved[c]) element(c);
    }
    copy(at, to);
    if (over) {
      out_ += "</div><div style=\"height:0;margin-top:" + cssPixels(-l->height) + "\">";
      lines(l->over);
      out_ += "</div>";
    }
  }

  // One element and all it holds. Iterative over plain nesting: seller's
  // code may nest deeper than a thread's stack allows.
  void element(int root) {
    struct Frame {
      int id;
      std::size_t pos;
      std::size_t next = 0;
    };
    std::vector<Frame> stack;
    auto enter = [&](int id) {
      out_ += w_.tagText(id);
      if (w_.lined.count(id) != 0) {
        const Element& e = r_.elements[id];
        content(id, e.children, e.contentBegin, e.contentEnd);
        finish(id);
        return;
      }
      stack.push_back({id, r_.elements[id].contentBegin});
    };
    enter(root);
    while (!stack.empty()) {
      Frame& f = stack.back();
      const Element& e = r_.elements[f.id];
      if (f.next < e.children.size()) {
        const int c = e.children[f.next++];
        const Element& child = r_.elements[c];
        copy(f.pos, r_.tag(child).begin);
        f.pos = child.end;
        if (!w_.moved[c]) enter(c);
        continue;
      }
      copy(f.pos, e.contentEnd);
      const int id = f.id;
      stack.pop_back();
      finish(id);
    }
  }

  void finish(int id) {
    const Element& e = r_.elements[id];
    copy(e.contentEnd, e.end);
    if (w_.endTagAdded[id]) out_ += "</" + r_.tag(e).name + ">";
  }

  const Rewrite& w_;
  const HtmlReading& r_;
  std::string_view code_;
  Text out_;
};

}  // namespace

Text render(const Rewrite& rewrite) {
  return Writer(rewrite).run();
}

}  // namespace lumdrift
