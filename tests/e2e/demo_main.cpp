// A scripted check for `make run` where there is no display: copies
// orvel-helper.exe into a folder and starts it there, checks a sample
// address as a person would, and prints what it showed and wrote.
//   orvel_demo <orvel-helper.exe> <folder> <screenshot.bmp> [address]
#include <cstdio>
#include <string>

#include "app/control_ids.h"
#include "tests/e2e/product.h"
#include "tests/e2e/registry_probe.h"
#include "tests/support/test_prefix.h"
#include "win/utf16_text.h"

namespace {

void Print(const std::wstring& line) { std::printf("%s\n", orvel::WideToUtf8(line).c_str()); }

}  // namespace

int wmain(int argc, wchar_t** argv) {
  using namespace orvel::e2e;
  if (argc < 4) {
    std::fputs("usage: orvel_demo <orvel-helper.exe> <folder> <screenshot.bmp> [address]\n", stderr);
    return 2;
  }
  if (!orvel::test::MayChangeUserSettings("orvel_demo")) return 3;
  programs().product = argv[1];
  const std::wstring folder = WindowsPath(argv[2]);
  const std::wstring address = argc > 4 ? argv[4] : L"http://orvel.example.cn/merinthal";

  // The zone the check relaxes; a fresh Windows has it.
  CreateKey(L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Zones\\2");
  Product product(folder);
  Print(L"window: " + product.Caption());
  Print(L"address: " + address);
  product.TypeAddress(address);
  product.Press(orvel::control_ids::kCheckButton);
  const ShownBox box = product.WaitForBox();
  Print(L"progress:");
  for (const std::wstring& line : product.ListLines()) Print(L"  " + line);
  Print(L"message box: \"" + box.text + L"\" titled \"" + box.title + L"\"" +
        (box.icon == IDI_INFORMATION   ? L", information icon"
         : box.icon == IDI_EXCLAMATION ? L", exclamation icon"
                                       : L""));
  product.CloseBox(box);
  Print(L"registry written:");
  const std::wstring settings = L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\";
  for (const std::wstring& line : Describe(settings + L"ZoneMap")) Print(L"  " + line);
  Print(L"  [HKCU\\" + settings + L"Zones\\2] (the eight values set)");
  for (const std::wstring& line : Describe(settings + L"Zones\\2")) {
    for (const wchar_t* name : {L"1001", L"1004", L"1200", L"1201", L"1405", L"2201", L"2200", L"1809"}) {
      if (line.starts_with(L"  " + std::wstring(name) + L" = ")) Print(L"  " + line);
    }
  }
  for (const std::wstring& line : Describe(L"Software\\Microsoft\\Internet Explorer\\New Windows\\Allow")) {
    Print(L"  " + line);
  }
  return product.SaveScreenshot(WindowsPath(argv[3])) && box.window != nullptr ? 0 : 1;
}
