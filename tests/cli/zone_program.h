#pragma once

#include <string>
#include <vector>

namespace orvel::test {

// orvel-zone.exe under test, the program that stands in for iexplore.exe
// and a DLL to plant beside the program; set once from the command line.
std::wstring& ZoneProgram();
std::wstring& StandInBrowser();
std::wstring& PlantedDll();

// What one run of the program left.
struct ZoneRun {
  int exit_code = -1;
  std::string out;  // standard output, the bytes as written
  std::string err;
};

// Runs the program (or `program`) with these arguments, its standard output
// and error redirected to pipes, without a console.
ZoneRun RunZone(const std::vector<std::wstring>& arguments, const std::wstring& program = ZoneProgram());
// The same on a console of this process's own whose output code page is
// `code_page`, as from a script's shell.
ZoneRun RunZoneWithConsole(const std::vector<std::wstring>& arguments, unsigned code_page);

// Runs it on a console of this process's own and returns what the console
// shows afterwards, line by line, without trailing blanks.
std::vector<std::wstring> RunZoneOnConsole(const std::vector<std::wstring>& arguments, int& exit_code);

// The lines of UTF-8 output split at CR LF.
std::vector<std::string> OutputLines(const std::string& out);

}  // namespace orvel::test
