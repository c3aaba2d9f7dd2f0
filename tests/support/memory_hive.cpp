#include "tests/support/memory_registry.h"
#include "tests/support/test_hive.h"

namespace orvel::test {
namespace {

class MemoryHive final : public TestHive {
 public:
  Registry& registry() override { return registry_; }
  std::vector<std::string> Dump() override { return registry_.Dump(); }

 private:
  MemoryRegistry registry_;
};

}  // namespace

std::unique_ptr<TestHive> MakeMemoryHive() { return std::make_unique<MemoryHive>(); }

}  // namespace orvel::test
