#pragma once

#include <string_view>

namespace orvel::cli {

inline constexpr std::string_view kHelpText =
    "orvel-zone：为 ORVEL 系统准备 Internet Explorer 的信任站点区域，供管理员批量部署。\n"
    "\n"
    "用法：\n"
    "  orvel-zone check  <网址> [--save] [--login]  与窗口的“检测”相同；--login 随后打开浏览器，同“登录”\n"
    "  orvel-zone status <网址>                      只读：哪些设置已在，缺什么，什么会阻止它们\n"
    "  orvel-zone remove <网址>                      删除此主机的信任站点条目和弹出窗口许可\n"
    "  orvel-zone export <网址> [--out 文件]         输出做同样设置的 .reg 文件\n"
    "  orvel-zone set-address <网址>                 供安装程序使用：只把网址写入程序旁的 ca.dat，\n"
    "                                                不动注册表\n"
    "网址可以 http:// 或 https:// 开头（不写时按 http），各写入同名的值；remove 不写协议时两者都删除。\n"
    "\n"
    "选项：\n"
    "  --user <SID>   读写 HKEY_USERS\\<SID> 而不是当前用户（该用户的配置单元须已加载）\n"
    "  --all-users    对每个已加载的用户配置单元（S-1-5-21-...、Entra ID 的 S-1-12-1-... 等）\n"
    "                 各做一次，逐个报告；不含系统账户 S-1-5-18/19/20 和 .DEFAULT\n"
    "  --save         check 成功后把网址写入程序旁的 ca.dat，窗口打开时即填好\n"
    "  --login        check 成功后用 Internet Explorer 打开网址，同“登录”（只用于当前用户）\n"
    "  --out <文件>   export 写入此文件（UTF-16，可用 reg import 或 regedit /s 导入）\n"
    "  --json         输出一个 JSON 对象，内容与文字输出相同\n"
    "  --help         显示本说明\n"
    "  --version      显示版本\n"
    "\n"
    "退出代码（所有动词相同）：\n"
    "  0  完成，没有阻碍\n"
    "  1  status：本工具写的设置有缺失或不对，再运行 check 即可补上\n"
    "  2  参数错误，或以 SYSTEM 身份运行却没有指明用户\n"
    "  3  网址不正确\n"
    "  4  注册表或文件操作失败（包括用户配置单元未加载，--login 无法打开浏览器）\n"
    "  5  设置已就位（或刚写入），但诊断发现会阻止设置生效的问题：须由管理员处理，\n"
    "     再运行 check 也无济于事\n"
    "多个用户时取其中最差的，从差到好依次为 4、3、2、1、5、0。\n"
    "\n"
    "export 中数字地址的 Range 条目名为 \"ORVEL-\" 加主机，例如 ORVEL-10.1.2.3：每个地址的名字都不同，\n"
    "而检测自己取的名字（Range1、Range2……）不含 \"-\"，所以不会覆盖其他地址的条目。\n"
    "\n"
    "以 SYSTEM 身份运行时（部署工具常这样做）必须用 --user 或 --all-users：SYSTEM 自己的配置不是任何人的浏览器。\n"
    "set-address 除外，它只写 ca.dat。\n";

}  // namespace orvel::cli
