#include "repair/html_names.h"

namespace lumdrift {

bool hasRawContent(std::string_view name) {
  return isOneOf(name, {"script", "style", "textarea", "title", "xmp", "iframe", "noembed",
                        "noframes", "noscript"});
}

bool isVoidElement(std::string_view name) {
  return isOneOf(name,
                 {"area", "base", "basefont", "bgsound", "br", "col", "embed", "frame", "hr", "img",
                  "input", "keygen", "link", "meta", "param", "source", "track", "wbr"});
}

bool hasOptionalEnd(std::string_view name) {
  return isOneOf(name, {"p",  "li", "dt",    "dd",    "option", "optgroup", "tr",
                        "td", "th", "thead", "tbody", "tfoot",  "colgroup", "caption",
                        "rb", "rt", "rtc",   "rp",    "html",   "head",     "body"});
}

bool closesParagraph(std::string_view name) {
  return isOneOf(name, {"address",  "article",    "aside",  "blockquote", "center", "details",
                        "dialog",   "dir",        "div",    "dl",         "dd",     "dt",
                        "fieldset", "figcaption", "figure", "footer",     "form",   "h1",
                        "h2",       "h3",         "h4",     "h5",         "h6",     "header",
                        "hgroup",   "hr",         "li",     "main",       "menu",   "nav",
                        "ol",       "p",          "pre",    "section",    "table",  "ul"});
}

bool holdsBlocks(std::string_view name) {
  return isOneOf(name,
                 {"address", "article", "aside",  "blockquote", "center", "dd",       "details",
                  "dialog",  "dir",     "div",    "dl",         "dt",     "fieldset", "figcaption",
                  "figure",  "footer",  "form",   "h1",         "h2",     "h3",       "h4",
                  "h5",      "h6",      "header", "hgroup",     "li",     "main",     "menu",
                  "nav",     "ol",      "pre",    "section",    "ul",     "td",       "th"});
}

bool isFormatting(std::string_view name) {
  return isOneOf(name, {"a", "b", "big", "code", "em", "font", "i", "nobr", "s", "small", "strike",
                        "strong", "tt", "u"});
}

bool isScopeBoundary(std::string_view name, bool foreign) {
  if (foreign) {
    return isOneOf(name, {"mi", "mo", "mn", "ms", "mtext", "annotation-xml", "foreignobject",
                          "desc", "title"});
  }
  return isOneOf(
      name, {"applet", "caption", "html", "table", "td", "th", "marquee", "object", "template"});
}

bool breaksOutOfForeign(std::string_view name) {
  return isOneOf(
      name, {"b",      "big",  "blockquote", "body",  "br",   "center", "code",    "dd",   "div",
             "dl",     "dt",   "em",         "embed", "h1",   "h2",     "h3",      "h4",   "h5",
             "h6",     "head", "hr",         "i",     "img",  "li",     "listing", "menu", "meta",
             "nobr",   "ol",   "p",          "pre",   "ruby", "s",      "small",   "span", "strong",
             "strike", "sub",  "sup",        "table", "tt",   "u",      "ul",      "var"});
}

}  // namespace lumdrift
