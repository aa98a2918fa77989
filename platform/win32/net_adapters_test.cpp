#include "platform/net_adapters.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

// The machine's adapters are whatever it has; each listed one carries a description.
TEST(Win32NetAdapters, ListsTheSystemsAdapters) {
  auto adapters = MakeSystemNetAdapters();
  std::vector<NetAdapter> list{{"stale", {}}};
  if (adapters->List(list)) {
    for (const NetAdapter& adapter : list) {
      EXPECT_FALSE(adapter.description.empty());
      EXPECT_NE(adapter.description, "stale");
    }
  } else {
    EXPECT_TRUE(list.empty());
  }
}

}  // namespace
}  // namespace platform
