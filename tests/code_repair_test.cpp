// The repair of the seller's code: each rule with an input and the code it
// must become, written out by hand, and the sentence the seller is told.

#include "repair/code_repair.h"

#include <gtest/gtest.h>

#include "repair/repair_report.h"

namespace lumdrift {
namespace {

constexpr char kLine[] = "<div style=\"height:0;text-align:left;text-indent:0\">";

struct Case {
  const char* name;
  std::string input;
  std::string expected;  // empty: the code stays as it is
  const char* sentence;  // empty: nothing was repaired
};

std::string line(const std::string& inner) {
  return kLine + inner + "</div>";
}

// A box's content of `height` pixels with lines over it, pulled back up.
std::string over(const std::string& content, const std::string& height, const std::string& lines) {
  return "<div style=\"height:" + height + "\">" + content +
         "</div><div style=\"height:0;margin-top:-" + height + "\">" + lines + "</div>";
}

// This tool's professional-edition output, 1920 x 500, around a design.
std::string wrapped(const std::string& design) {
  return "<div style=\"height:500px;margin-top:0px;padding:0 0 0 50%;line-height:0;font-size:0;\">"
         "\r\n<div class=\"footer-more-trigger\" style=\"left:auto;top:auto;right:auto;bottom:auto;"
         "z-index:1;width:0;height:0;margin:0;padding:0;border:0;background:none;overflow:visible;"
         "\">\r\n<div class=\"footer-more-trigger\" style=\"left:auto;top:0;right:auto;bottom:auto;"
         "width:1920px;height:500px;margin:0 0 0 -960px;padding:0;border:0;background:none;"
         "overflow:hidden;line-height:0;font-size:0;text-indent:0;\">\r\n" +
         design + "\r\n</div>\r\n</div>\r\n</div>\r\n";
}

const Case kCases[] = {
    {"clean_banner_with_map",
     "<img src=\"https://img.alicdn.com/b.jpg\" usemap=\"#m\"><map name=\"m\"><area shape=\"rect\" "
     "coords=\"0,0,100,50\" href=\"https://a\"></map>\r\n<p>文字<br></p>",
     "", ""},
    {"hot_spot_in_a_relative_box",
     "<div style=\"position:relative;width:1920px;height:500px\"><img src=\"a.jpg\"><a href=\"/1\" "
     "style=\"position:absolute;left:100px;top:200px;width:300px;height:80px\"></a></div>",
     "<div style=\"width:1920px;height:500px\">" +
         over("<img src=\"a.jpg\">", "500px",
              line("<a href=\"/1\" style=\"width:300px;height:80px;display:inline-block;"
                   "vertical-align:top;margin:200px 0 0 100px\"></a>")) +
         "</div>",
     "已修复1个热区的位置"},
    {"stacked_by_z_index_then_order_beneath_when_negative",
     "<div style=\"position:relative;height:100px\"><a href=\"/z3\" style=\"position:absolute;"
     "left:0;top:0;Z-INDEX:3\"></a><a href=\"/z\" style=\"position:absolute;left:1px;top:0\">"
     "</a><a href=\"/neg\" style=\"position:absolute;left:2px;top:0;z-index:-1\"></a>字</div>",
     "<div style=\"height:100px\">" +
         line("<a href=\"/neg\" style=\"display:inline-block;vertical-align:top;margin:0 0 0 "
              "2px\"></a>") +
         over("字", "100px",
              line("<a href=\"/z\" style=\"display:inline-block;vertical-align:top;margin:0 0 0 "
                   "1px\"></a>") +
                  line("<a href=\"/z3\" style=\"display:inline-block;vertical-align:top;margin:0 "
                       "0 0 0\"></a>")) +
         "</div>",
     "已修复3个热区的位置"},
    {"a_box_of_unknown_height_holds_its_lines_at_its_start",
     "<div style=\"position: relative\"><a href=\"/2\" style=\"Z-INDEX:3; Height:40px ;TOP : 5PX; "
     "width:50px; LEFT:7px; Position:ABSOLUTE\"></a></div>",
     "<div style=\"\">" +
         line("<a href=\"/2\" style=\" Height:40px ; width:50px;display:inline-block;"
              "vertical-align:top;margin:5px 0 0 7px\"></a>") +
         "</div>",
     "已修复1个热区的位置"},
    {"nested_boxes_add_their_offsets",
     "<div style=\"position:relative;width:1920px;height:500px\"><div style=\"position:absolute;"
     "left:100px;top:50px;width:400px;height:200px\"><a href=\"/3\" style=\"position:absolute;"
     "left:10px;top:20px;width:30px;height:40px\"></a></div></div>",
     "<div style=\"width:1920px;height:500px\">" +
         over("", "500px",
              line("<div style=\"width:400px;height:200px;display:inline-block;vertical-align:top;"
                   "margin:50px 0 0 100px\">" +
                   over("", "200px",
                        line("<a href=\"/3\" style=\"width:30px;height:40px;display:inline-block;"
                             "vertical-align:top;margin:20px 0 0 10px\"></a>")) +
                   "</div>")) +
         "</div>",
     "已修复1个热区的位置"},
    {"right_and_bottom_against_a_box_of_known_size_and_padding",
     "<div style=\"position:relative;width:1000px;height:400px;padding:10px 20px\"><a href=\"/4\" "
     "style=\"position:absolute;right:10px;bottom:20px;width:100px;height:50px\"></a></div>",
     "<div style=\"width:1000px;height:400px;padding:10px 20px\">" +
         over("", "400px",
              line("<a href=\"/4\" style=\"width:100px;height:50px;display:inline-block;"
                   "vertical-align:top;margin:340px 0 0 910px\"></a>")) +
         "</div>",
     "已修复1个热区的位置"},
    {"top_level_placed_against_the_module",
     "<img src=\"a.jpg\">\r\n<a href=\"/5\" style=\"position:absolute;right:0;bottom:0;width:120px;"
     "height:60px\">看看</a>",
     over("<img src=\"a.jpg\">\r\n", "500px",
          line("<a href=\"/5\" style=\"width:120px;height:60px;display:inline-block;"
               "vertical-align:top;margin:440px 0 0 1800px\">看看</a>")),
     "已修复1个热区的位置"},
    {"block_shifted_by_relative_offsets",
     "<div style=\"position:relative;left:10px;top:-5px;margin:0 0 8px\">文字</div>",
     "<div style=\"margin:-5px -10px 13px 10px\">文字</div>", "已修复1个元素的位置"},
    {"what_cannot_be_placed_for_sure_stays",
     "<div style=\"position:relative\"><a href=\"/6\" style=\"position:absolute;left:10%;top:0\">"
     "</a><a href=\"/7\" style=\"position:absolute;left:1em;top:0\"></a><a href=\"/8\" "
     "style=\"position:absolute;left:0;top:0;transform:scale(2)\"></a><p><a href=\"/9\" "
     "style=\"position:absolute;left:0;top:0\"></a></p><p style=\"position:relative\"><a "
     "href=\"/p\" "
     "style=\"position:absolute;left:1px;top:2px\"></a></p><a href=\"/10\" style=\"position:fixed;"
     "left:0;top:0\"></a><span style=\"position:relative;left:4px\">x</span></div>"
     "<div style=\"position:absolute;right:0;top:0\"></div>",
     "", ""},
    {"stray_end_tag_dropped", "<div><div>a</div></div></div>\r\n", "<div><div>a</div></div>\r\n",
     "已去掉1个多余的</div>"},
    {"open_elements_closed_at_the_end_innermost_first", "<div><a href=\"x\"><span>t",
     "<div><a href=\"x\"><span>t</span></a></div>", "已补上3个结束标签"},
    {"what_browsers_close_themselves_stays",
     "<section><div>新品</section><p>下一段</p><ul><li><div>满199减20</ul><table><tr><td>"
     "</div></td></tr></table></span><b><div>粗</b>体</div>",
     "", ""},
    {"formatting_the_parser_would_carry_on_is_ended", "<p><b>粗</p>文字", "<p><b>粗</p>文字</b>",
     "已补上1个</b>"},
    {"foreign_content_ends_where_browsers_end_it",
     "<span><svg><th></span><script>\"</div>\"</script><svg></p><style>\"</div>\"</style>", "", ""},
    {"foreign_content_keeps_its_text", "<svg><![CDATA[ a>b </div> ]]><title/></svg></div>",
     "<svg><![CDATA[ a>b </div> ]]><title/></svg>", "已去掉1个多余的</div>"},
    {"comments_raw_text_and_optional_ends_do_not_count",
     "<script>document.write(\"</div>\")</script><!-- </div> --><ul><li>a<li>b</ul><p>c<br>", "",
     ""},
    {"unfinished_tag_finished_then_closed", "<div>x<a href=\"y", "<div>x<a href=\"y\"></a></div>",
     "已补全没写完的标签、补上2个结束标签"},
    {"own_output_taken_out_of_its_wrapper", wrapped("<p>D</p>"), "<p>D</p>", "已去掉旧的全屏外层"},
    {"own_output_after_the_shop_editor",
     "<div style=\"height: 500px; margin-top: -10px; padding: 0 0 0 50%;\">\n  <div "
     "class=\"sn-simple-logo\" style=\"left: auto; top: auto; z-index: 1; width: 0; height: 0;\">"
     "\n    <div class=\"sn-simple-logo\" style=\"top: 0; width: 1200px; height: 500px; margin: 0 "
     "0 "
     "0 -600px; overflow: hidden;\">\n<p>D</p>\n    </div>\n  </div>\n</div>\n",
     "<p>D</p>", "已去掉旧的全屏外层"},
    {"wrapped_twice", wrapped(wrapped("<img src=\"b.jpg\">")), "<img src=\"b.jpg\">",
     "已去掉旧的全屏外层"},
    {"left_half_pattern",
     "<div style=\"position:relative;height:500px\"><div style=\"position:absolute;left:50%;"
     "margin-left:-960px;width:1920px;height:500px\"><img src=\"b.jpg\"></div></div>",
     "<img src=\"b.jpg\">", "已去掉旧的全屏外层"},
    {"a_centred_box_that_carries_the_design_keeps_its_look",
     "<div style=\"position:relative;left:50%;margin-left:-960px;width:1920px;height:500px;"
     "background:url(b.jpg)\"><a href=\"/x\">立即购买</a></div>",
     "<div style=\"width:1920px;height:500px;background:url(b.jpg)\"><a href=\"/x\">立即购买</a>"
     "</div>",
     "已去掉旧的全屏外层"},
    {"a_centred_badge_keeps_its_box_and_text",
     "<div style=\"position:relative;left:50%;margin-left:-50px;width:100px\">NEW</div>",
     "<div style=\"width:100px\">NEW</div>", "已去掉旧的全屏外层"},
    {"a_box_whose_content_is_text_is_no_wrapper",
     "<xmp style=\"left:50%;margin-left:-960px\"><img src=\"b.jpg\"></xmp>", "", ""},
    {"a_lone_box_moved_a_little_is_a_design",
     "<div class=\"footer-more-trigger\" style=\"margin-left:-100px\"><img src=\"b.jpg\"></div>",
     "", ""},
};

void PrintTo(const Case& c, std::ostream* os) {
  *os << c.name;
}

class RepairTable : public ::testing::TestWithParam<Case> {};

TEST_P(RepairTable, GivesTheCodeAndTheSentence) {
  const Case& c = GetParam();
  const RepairedCode out = repairSellerCode(c.input, {1920, 500});
  EXPECT_EQ(out.code, c.expected.empty() ? c.input : c.expected);
  EXPECT_EQ(repairSentence(out.repairs), c.sentence);
  EXPECT_EQ(out.repairs.empty(), !*c.sentence);
}

INSTANTIATE_TEST_SUITE_P(Rules, RepairTable, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lumdrift
