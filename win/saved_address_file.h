#pragma once

#include <string>

#include "check/saved_address.h"

namespace orvel {

// ca.dat: the address of the last successful check, one line.
class SavedAddressFile final : public AddressStore {
 public:
  SavedAddressFile(std::wstring path, const AnsiCodec& codec) : path_(std::move(path)), codec_(codec) {}

  // ca.dat in the folder that holds the running program.
  static std::wstring BesideProgram();

  // Writes a temporary file beside ca.dat and moves it over the old one, so
  // a failed save leaves the old file whole.
  int32_t Save(std::string_view address) override;

  // The first line, or empty when there is no plain file of that name, it
  // cannot be read, or its first line is too long (over 1 MiB) to be an address.
  std::string Load() const override;

  const std::wstring& path() const { return path_; }

 private:
  std::wstring path_;
  const AnsiCodec& codec_;
};

}  // namespace orvel
