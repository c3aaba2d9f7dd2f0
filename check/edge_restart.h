#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvel {

// One browser process of the desktop user's Edge, as listed.
struct EdgeBrowser {
  uint64_t started = 0;     // FILETIME ticks
  bool has_window = false;  // it shows a window: the user has pages open
  // False when it could not be opened: it can be neither ended nor waited for.
  bool reachable = true;
};

// Edge of the person at the desktop. It reads its IE mode policies and its
// first site list only when it starts, and keeps running after its last
// window closes (startup boost, background mode). The real one asks the
// system; tests stand in for it.
class RunningEdge {
 public:
  virtual ~RunningEdge() = default;
  // Lists the desktop user's Edge browser processes and holds each one, so
  // that what follows acts on these and on no process that takes an id later;
  // other users' and sessions' and Edge's own child processes are left out.
  virtual std::vector<EdgeBrowser> ListBrowsers() = 0;
  // Sends every top-level window of the processes held, hidden ones too, what
  // Windows sends an application it closes to restart it (WM_QUERYENDSESSION,
  // then WM_ENDSESSION, with ENDSESSION_CLOSEAPP): Edge then saves its whole
  // session and exits. Returns without waiting.
  virtual void EndSessions() = 0;
  // Whether every process held has exited.
  virtual bool Exited() = 0;
  // Whether a process held still shows a window.
  virtual bool ShowsAWindow() = 0;
  // The last resort: ends the processes held that still run; false when one
  // could not be ended.
  virtual bool Terminate() = 0;
};

// Whether an Edge that runs started before the set-up it has to read.
bool EdgeMustRestart(const std::vector<EdgeBrowser>& browsers, std::optional<uint64_t> set_up_changed);

// A process as the system lists it; none where a fact could not be read.
struct ListedProcess {
  uint32_t id = 0;
  uint32_t parent = 0;
  std::string file;  // its program's file name
  std::optional<uint64_t> started = {};
  std::optional<std::string> command_line = {};
};

// Edge's browser processes among them: msedge.exe processes whose command
// line has no "--type=" (its renderers, GPU and utility processes have one);
// where the command line could not be read, those that no msedge.exe started
// before them is the parent of, so that an id reused since is no parent.
std::vector<uint32_t> EdgeBrowsers(const std::vector<ListedProcess>& processes);

// Whose a process is, as far as the system says: none or empty where it
// could not be read.
struct ProcessOwner {
  std::optional<uint32_t> session;
  std::string user_sid;
};

enum class BrowserOwner : uint8_t {
  kSomeoneElse,
  kDesktopUser,
  // In the desktop's session but not to be opened: whose it is, and whether
  // it would read the set-up, cannot be told.
  kUnreachable,
};

// A browser process is the desktop user's when it runs in the desktop's
// session as its user, both known, with a start time that could be read.
BrowserOwner WhoseBrowser(const ProcessOwner& owner, bool opened, std::optional<uint64_t> started,
                          const ProcessOwner& desktop);

}  // namespace orvel
