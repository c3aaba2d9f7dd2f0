// orvel-helper: prepares Internet Explorer's trusted-sites zone for the ORVEL
// site and opens it.
#include <windows.h>

#include "app/main_window.h"
#include "check/check_site.h"
#include "check/window_presenter.h"
#include "win/desktop_user.h"
#include "win/environment.h"
#include "win/running_edge.h"
#include "win/saved_address_file.h"
#include "win/shell_launcher.h"
#include "win/system_library.h"
#include "win/win32_ansi_codec.h"
#include "win/win32_registry.h"
#include "win/win32_site_list_files.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show_command) {
  orvel::LoadDllsFromSystemOnly();
  // Elevated as another account, the settings still go to the person at
  // the desktop.
  const std::optional<orvel::DesktopUserHive> desktop = orvel::OpenDesktopUserHive();
  orvel::Win32Registry user(desktop ? desktop->root.get() : HKEY_CURRENT_USER);
  orvel::Win32Registry machine = orvel::Win32Registry::MachineSettings();
  // Written only where Internet Explorer is retired, for Edge's IE mode.
  orvel::Win32Registry machine_writes = orvel::Win32Registry::MachineWrites();
  orvel::Win32SiteListFiles site_lists;
  const orvel::CheckRegistries registries{.hives = {user, machine},
                                          .desktop_account = desktop ? desktop->account : std::string(),
                                          .site_lists = &site_lists,
                                          .machine_writes = &machine_writes};
  orvel::Win32AnsiCodec codec;
  orvel::SavedAddressFile store(orvel::SavedAddressFile::BesideProgram(), codec);
  orvel::MainWindow window(instance);
  if (!window.Create()) return 1;
  orvel::ShellLauncher launcher(window.hwnd());
  orvel::Win32RunningEdge edge;
  orvel::WindowPresenter presenter(window, {.registries = registries,
                                            .store = store,
                                            .launcher = launcher,
                                            .edge = edge,
                                            .program_files = orvel::ProgramFilesFromEnvironment()});
  presenter.Start();
  window.Show(show_command, presenter);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    // Tab, the access keys and the arrows, as in a dialog.
    if (IsDialogMessageW(window.hwnd(), &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
