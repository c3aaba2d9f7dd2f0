#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace orvel {

// Win32 status codes as the zone code sees them; 0 is success.
namespace status {
inline constexpr int32_t kSuccess = 0;
inline constexpr int32_t kFileNotFound = 2;
inline constexpr int32_t kAccessDenied = 5;
inline constexpr int32_t kInvalidHandle = 6;
inline constexpr int32_t kNotSupported = 50;
inline constexpr int32_t kInvalidParameter = 87;
inline constexpr int32_t kAlreadyExists = 183;
inline constexpr int32_t kMoreData = 234;
inline constexpr int32_t kNoMoreItems = 259;
inline constexpr int32_t kUnsupportedType = 1630;
}  // namespace status

// A key or value that is not there. Operations return a status; a caller to
// whom "not there" is no failure asks this, reads return an optional instead.
constexpr bool IsMissing(int32_t result) { return result == status::kFileNotFound; }
// Done, or nothing there to do it to: a delete of what is gone already.
constexpr bool DoneOrMissing(int32_t result) { return result == status::kSuccess || IsMissing(result); }

// Buffer sizes, each named once for what it holds: a value's name (16,383
// UTF-16 units and its NUL) and a text value the tool reads (bytes, with its
// NUL). The zone map has its own, zone_keys::kZoneMapBuffer.
inline constexpr uint32_t kValueNameCapacity = 16384;
inline constexpr uint32_t kTextCapacity = 32768;

// The path without one trailing backslash, which names the same key.
std::string_view WithoutTrailingBackslash(std::string_view path);

enum class ValueType : uint32_t { kString = 1, kExpandString = 2, kBinary = 3, kDword = 4, kQword = 11 };

// A REG_DWORD's 4 bytes, little-endian, and back; missing bytes read as 0.
std::string DwordBytes(uint32_t value);
uint32_t DwordFromBytes(std::string_view bytes);

// An opaque open-key handle; 0 is never a valid one.
using KeyHandle = uintptr_t;

// The registry operations the zone code needs. Paths are relative to the
// root the implementation was constructed with and use backslashes; a
// trailing backslash names the same key. Text is UTF-8. A failing call
// leaves its out-parameters untouched; no operation throws.
class Registry {
 public:
  virtual ~Registry() = default;

  // Opens an existing key; never creates one.
  virtual int32_t OpenKey(std::string_view path, KeyHandle& key) = 0;
  // Opens the key, creating it and every missing key on its path.
  // `created` tells whether the key itself was new.
  virtual int32_t CreateKey(std::string_view path, KeyHandle& key, bool& created) = 0;
  // Creates or replaces a value. For kString the data is the UTF-8 text
  // followed by its terminating NUL; otherwise raw bytes.
  virtual int32_t SetValue(KeyHandle key, std::string_view name, ValueType type, std::string_view data) = 0;
  // Reads a value whose data (as SetValue takes it) fits in `capacity` bytes;
  // kMoreData when it does not, kFileNotFound when it is missing.
  virtual int32_t QueryValue(KeyHandle key, std::string_view name, uint32_t capacity, uint32_t& type,
                             std::string& data) = 0;
  // The name of subkey `index`, when it fits in `capacity` UTF-16 units with
  // its terminating NUL; kNoMoreItems past the last one.
  virtual int32_t EnumKey(KeyHandle key, uint32_t index, uint32_t capacity, std::string& name) = 0;
  // The name of value `index`, as EnumKey does for subkeys.
  virtual int32_t EnumValue(KeyHandle key, uint32_t index, uint32_t capacity, std::string& name) = 0;
  virtual int32_t CloseKey(KeyHandle key) = 0;

  // Deletes a key that has no subkeys, with its values. A registry that
  // cannot delete answers kNotSupported, here and in DeleteValue.
  virtual int32_t DeleteKey(std::string_view path);
  // kFileNotFound when there is no such value.
  virtual int32_t DeleteValue(KeyHandle key, std::string_view name);
};

// Owns one open key and closes it when it goes out of scope; move-only. A
// failed Open or Create leaves the key as it was. A close that fails is
// ignored: nothing useful can be done about it.
class RegistryKey {
 public:
  explicit RegistryKey(Registry& registry) : registry_(&registry) {}
  RegistryKey(RegistryKey&& other) noexcept
      : registry_(other.registry_), handle_(std::exchange(other.handle_, KeyHandle{0})) {}
  RegistryKey& operator=(RegistryKey&& other) noexcept;
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;
  ~RegistryKey() { Close(); }

  [[nodiscard]] int32_t Open(std::string_view path);
  // `created`, when given, tells on success whether the key itself was new.
  [[nodiscard]] int32_t Create(std::string_view path, bool* created = nullptr);
  [[nodiscard]] int32_t SetValue(std::string_view name, ValueType type, std::string_view data);
  [[nodiscard]] int32_t SetDword(std::string_view name, uint32_t value);
  [[nodiscard]] int32_t SetQword(std::string_view name, uint64_t value);
  [[nodiscard]] int32_t SetString(std::string_view name, std::string_view text);
  [[nodiscard]] int32_t SetBinary(std::string_view name, std::string_view bytes);
  // Reads a REG_DWORD of 4 bytes; a value of another type or size gives
  // kUnsupportedType and, like every failure, leaves `value` untouched.
  [[nodiscard]] int32_t QueryDword(std::string_view name, uint32_t& value);
  // Reads a REG_SZ or REG_EXPAND_SZ value of at most `capacity` bytes with
  // its NUL, as text before its first NUL; another type gives
  // kUnsupportedType and, like every failure, leaves `text` untouched.
  [[nodiscard]] int32_t QueryString(std::string_view name, uint32_t capacity, std::string& text);
  // Reads a value's raw data, and its type, as Registry::QueryValue.
  [[nodiscard]] int32_t Query(std::string_view name, uint32_t capacity, std::string& data);
  [[nodiscard]] int32_t Query(std::string_view name, uint32_t capacity, uint32_t& type, std::string& data);
  // Reads that say "absent" once: none for a value that is missing, of
  // another type, too long or unreadable.
  std::optional<uint32_t> ReadDword(std::string_view name);
  std::optional<uint64_t> ReadQword(std::string_view name);
  std::optional<std::string> ReadString(std::string_view name, uint32_t capacity = kTextCapacity);
  [[nodiscard]] int32_t EnumKey(uint32_t index, uint32_t capacity, std::string& name);
  [[nodiscard]] int32_t EnumValue(uint32_t index, uint32_t capacity, std::string& name);
  [[nodiscard]] int32_t DeleteValue(std::string_view name);
  // True when the key holds neither subkeys nor values; false when it does or
  // cannot be asked.
  [[nodiscard]] bool IsEmpty();
  void Close() noexcept;

  bool is_open() const { return handle_ != 0; }

 private:
  Registry* registry_;
  KeyHandle handle_ = 0;
};

// The same reads by path: a key that does not open reads as absent too.
std::optional<uint32_t> ReadDword(Registry& registry, std::string_view path, std::string_view name);
std::optional<std::string> ReadString(Registry& registry, std::string_view path, std::string_view name);

// Deletes the key when it holds neither subkeys nor values; a key that is
// already gone, or holds something, is fine.
int32_t DeleteKeyIfEmpty(Registry& registry, std::string_view path);

}  // namespace orvel
