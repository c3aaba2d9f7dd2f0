#pragma once

#include <string>

namespace orvel::e2e {

// Internet Explorer's program in a program-files folder.
std::wstring IexploreIn(const std::wstring& program_files);

// Puts the recorder (or, when present is false, nothing) at `path` for a
// test's time, set to write its record to `record` and to read ca.dat at
// `ca_dat`. Whatever was there (Wine's own stub, in the throwaway prefix) is
// moved aside and put back afterwards.
class StandInBrowser {
 public:
  StandInBrowser(std::wstring path, bool present, const std::wstring& record = {}, const std::wstring& ca_dat = {});
  ~StandInBrowser();
  StandInBrowser(const StandInBrowser&) = delete;
  StandInBrowser& operator=(const StandInBrowser&) = delete;

  const std::wstring& path() const { return path_; }

 private:
  std::wstring path_;
  std::wstring aside_;
  bool moved_aside_ = false;
};

}  // namespace orvel::e2e
