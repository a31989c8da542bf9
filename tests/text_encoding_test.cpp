// Texts are UTF-8 inside; GBK is the template site's encoding and the
// preview page's, unless the page declares UTF-8. The expected bytes are
// written out by hand from the GBK and UTF-8 tables.

#include <gtest/gtest.h>

#include "base/captions.h"
#include "base/gbk.h"
#include "generator/page_bytes.h"

namespace lumdrift {
namespace {

TEST(Captions, AreUtf8WithTheMultiplicationSign) {
  EXPECT_EQ(caption::kSizeTimes, "\xE5\xAE\xBD\xC3\x97\xE9\xAB\x98");    // 宽×高, × is U+00D7
  EXPECT_EQ(caption::kInputProfessional.substr(12, 3), "\xEF\xBC\x88");  // full-width (
}

TEST(Gbk, DecodesAndEncodesTheSiteEncoding) {
  EXPECT_EQ(decodeGbk("\xBF\xED\xA1\xC1\xB8\xDF"), "宽×高");
  EXPECT_EQ(decodeGbk("w:\xA3\xB1\xA3\xB9px"), "w:１９px");
  EXPECT_EQ(decodeGbk("\x80"), "€");  // code page 936's one single-byte extra
  EXPECT_EQ(encodeGbk("宽×高 ok"), "\xBF\xED\xA1\xC1\xB8\xDF ok");
  EXPECT_EQ(encodeGbk(""), "");
  for (const char* missing : {"👉", "™", "©", "•", "®", "\xC2\xA0", "한", "ä"}) {
    EXPECT_EQ(encodeGbk(std::string("a") + missing), std::nullopt) << missing;
  }
}

TEST(PageBytes, GbkPagesCarryReferencesForWhatGbkLacks) {
  const std::string gbkPage = "<meta charset=\"gbk\"><p>宽 👉 ™ A</p>";
  EXPECT_EQ(pageBytes(gbkPage), "<meta charset=\"gbk\"><p>\xBF\xED &#128073; &#8482; A</p>");
  // No declaration at all: the site's pages have always been GBK.
  EXPECT_EQ(pageBytes("宽©"), "\xBF\xED&#169;");
  // A reference for every character of a long text, across the pieces the
  // conversion works in.
  std::string many, expected;
  for (int i = 0; i < 3000; ++i) many += "宽😀", expected += "\xBF\xED&#128512;";
  EXPECT_EQ(gbkWithReferences(many), expected);
}

TEST(PageBytes, UnicodeDeclarationsKeepUtf8) {
  for (const char* head :
       {"<meta charset=\"UTF-8\">", "<meta charset=utf8>",
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset = 'utf-8'\">"}) {
    const std::string page = std::string(head) + "<p>宽 👉</p>";
    EXPECT_EQ(pageBytes(page), page) << head;
  }
  // A declaration past the first 1024 bytes is one the browser never sees.
  const std::string late = std::string(1024, ' ') + "<meta charset=\"utf-8\">宽";
  EXPECT_EQ(pageBytes(late), std::string(1024, ' ') + "<meta charset=\"utf-8\">\xBF\xED");
}

}  // namespace
}  // namespace lumdrift
