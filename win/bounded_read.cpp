#include "win/bounded_read.h"

#include <memory>

#include "win/last_error.h"
#include "win/unique_any.h"
#include "win/whole_file.h"

namespace orvel {
namespace {

struct Read {
  std::wstring path;
  size_t limit = 0;
  int32_t result = ERROR_TIMEOUT;
  std::string bytes = {};
};

// Owns one reference to the read: whichever side finishes last frees it.
DWORD WINAPI ReadOnItsOwn(void* parameter) {
  const std::unique_ptr<std::shared_ptr<Read>> read(static_cast<std::shared_ptr<Read>*>(parameter));
  Read& state = **read;
  state.result = ReadWholeFile(state.path, state.limit, state.bytes);
  return 0;
}

}  // namespace

int32_t ReadWholeFileWithin(const std::wstring& path, size_t limit, DWORD bound, std::string& bytes) {
  const auto read = std::make_shared<Read>(Read{path, limit});
  auto* lent = new std::shared_ptr<Read>(read);
  UniqueHandle thread(CreateThread(nullptr, 0, ReadOnItsOwn, lent, 0, nullptr));
  if (!thread.valid()) {
    delete lent;
    return LastErrorStatus();
  }
  if (WaitForSingleObject(thread.get(), bound) != WAIT_OBJECT_0) return ERROR_TIMEOUT;
  if (read->result == ERROR_SUCCESS) bytes = std::move(read->bytes);
  return read->result;
}

}  // namespace orvel
