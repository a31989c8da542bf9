#pragma once
// The tool's own texts, exactly as the user sees them.

#include <string_view>

namespace lumdrift::caption {

inline constexpr std::string_view kTitle = "Lumdrift";
inline constexpr std::string_view kEditionProfessional = "生成专业版";
inline constexpr std::string_view kEditionBasic = "生成基础版";
inline constexpr std::string_view kEditionTmall = "生成天猫版";
inline constexpr std::string_view kInputProfessional = "代码输入（将生成好的代码安装到950区）";
inline constexpr std::string_view kInputBasic =
    "代码输入（将生成好的代码安装到750区,并生成点位符代码放190区）";
inline constexpr std::string_view kInputTmall = "代码输入（将生成好的代码安装到990区）";
inline constexpr std::string_view kSpacingDefault = "默认";
inline constexpr std::string_view kSpacingCustom = "自定义";
inline constexpr std::string_view kSizeTimes = "宽×高";

inline constexpr std::string_view kWaiting =
    "正在读取服务器文件，请稍候数秒再试，不影响您配置代码！";
inline constexpr std::string_view kSuccess =
    "恭喜亲！代码制作成功并已完成复制，安装后即可大功告成！";
inline constexpr std::string_view kClipboardFailed =
    "代码已生成，但复制到剪贴板失败，请在输出框中手动复制！";
inline constexpr std::string_view kWidthNeedsNumber = "请在宽度框中填写大于0的数字！";
inline constexpr std::string_view kHeightNeedsNumber = "请在高度框中填写大于0的数字！";
inline constexpr std::string_view kSpacingNeedsNumber = "请在上间距框中填写数字！";
inline constexpr std::string_view kPreviewNotSaved =
    "代码已生成，但预览页面无法保存，暂时无法预览！";
inline constexpr std::string_view kPreviewFirst = "请先生成代码，再预览结果！";
inline constexpr std::string_view kPreviewOpenFailed = "无法打开预览页面，请检查默认浏览器！";
inline constexpr std::string_view kShortcutFailed = "无法在桌面创建快捷方式！";
inline constexpr std::string_view kShortcutFromTemp =
    "已创建快捷方式，但请先把工具解压到单独的文件夹！";

inline constexpr std::string_view kGenerateStart = "生成并复制";
inline constexpr std::string_view kGenerateBusy = "使劲生成中";
inline constexpr std::string_view kGenerateIdle = "生成与复制";
inline constexpr std::string_view kPreview = "预览结果";
inline constexpr std::string_view kSendToDesktop = "发送到桌面快捷方式";

inline constexpr std::string_view kFatalCaption = "错误";
inline constexpr std::string_view kFatalPrefix = "运行时出错!\r\n\r\n错误信息：";
inline constexpr std::string_view kWindowLoadFailed = "载入启动窗口失败";
inline constexpr std::string_view kAllocFailedFormat = "分配 %d 字节内存失败!";

}  // namespace lumdrift::caption
