#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace orvel::e2e {

// Sets an environment variable of this process (and so of the programs it
// starts) and puts the old value back afterwards. A null value unsets it.
class ScopedVariable {
 public:
  ScopedVariable(std::wstring name, const wchar_t* value) : name_(std::move(name)) {
    wchar_t old[32768];
    const DWORD length = GetEnvironmentVariableW(name_.c_str(), old, static_cast<DWORD>(std::size(old)));
    if (length > 0 && length < std::size(old)) old_ = std::wstring(old, length);
    SetEnvironmentVariableW(name_.c_str(), value);
  }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;
  ~ScopedVariable() { SetEnvironmentVariableW(name_.c_str(), old_ ? old_->c_str() : nullptr); }

 private:
  std::wstring name_;
  std::optional<std::wstring> old_;
};

}  // namespace orvel::e2e
