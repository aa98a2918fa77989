#include "platform/net_adapters.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace platform {
namespace {

// Every interface with a hardware address is listed under its name, with that address.
TEST(PosixNetAdapters, ListsTheInterfacesWithTheirAddresses) {
  auto adapters = MakeSystemNetAdapters();
  std::vector<NetAdapter> list;
  ASSERT_TRUE(adapters->List(list));
  EXPECT_TRUE(std::is_sorted(list.begin(), list.end(), [](const auto& a, const auto& b) {
    return a.description < b.description;
  }));
  for (const auto& entry : std::filesystem::directory_iterator("/sys/class/net")) {
    std::ifstream in(entry.path() / "address");
    std::string text;
    if (!std::getline(in, text) || text.size() != 17) {
      continue;
    }
    const std::string name = entry.path().filename().string();
    auto found = std::find_if(list.begin(), list.end(),
                              [&](const NetAdapter& a) { return a.description == name; });
    ASSERT_NE(found, list.end()) << name;
    char formatted[18] = {};
    std::snprintf(formatted, sizeof(formatted), "%02x:%02x:%02x:%02x:%02x:%02x", found->address[0],
                  found->address[1], found->address[2], found->address[3], found->address[4],
                  found->address[5]);
    EXPECT_EQ(formatted, text) << name;
  }
}

}  // namespace
}  // namespace platform
