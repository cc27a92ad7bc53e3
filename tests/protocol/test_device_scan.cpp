#include <gtest/gtest.h>

#include <map>

#include "protocol/device_scan.h"

namespace trivex {
namespace {

// A link that answers from a table; requests not in it time out.
struct FakeLink {
  std::map<std::string, std::string> replies;
  std::vector<std::string> asked;
  int operator()(const std::string& request, std::string& reply) {
    asked.push_back(request);
    auto it = replies.find(request);
    if (it == replies.end()) {
      reply.clear();
      return -2;
    }
    reply = it->second;
    return 0;
  }
};

TEST(DeviceScan, ListsEveryDeviceOfTheDirectory) {
  FakeLink link;
  link.replies = {{"aa:dir+", "\r\nA:\r\nA1:\r\nB:\r\n"},
                  {"A:ver.+", "ZYR-D;1.4.30"},
                  {"A:device.+", "\r\nUmspannwerk S\xFC" "d"},
                  {"A1:ver.+", "<<busy"},  // a refusal counts as no answer
                  {"B:ver.+", "ZYR-DM;0.2.13"},
                  {"B:device.+", "Feeder"}};
  int result = 1;
  auto devices = ScanDevices(std::ref(link), result);
  EXPECT_EQ(result, 0);
  ASSERT_EQ(devices.size(), 3u);
  EXPECT_EQ(devices[0].address, "A:");
  EXPECT_EQ(devices[0].type, "ZYR-D");
  EXPECT_EQ(devices[0].version, 1430);
  EXPECT_EQ(devices[0].name, "Umspannwerk Süd");
  EXPECT_EQ(devices[1].address, "A1:");
  EXPECT_EQ(devices[1].type, "");
  EXPECT_EQ(devices[1].version, 0);
  EXPECT_EQ(devices[1].name, "");
  EXPECT_EQ(devices[2].name, "Feeder");
  EXPECT_EQ(link.asked, (std::vector<std::string>{"aa:dir+", "A:ver.+", "A:device.+", "A1:ver.+",
                                                  "A1:device.+", "B:ver.+", "B:device.+"}));
}

TEST(DeviceScan, FailedDirectoryGivesNoDevices) {
  FakeLink silent;
  int result = 0;
  EXPECT_TRUE(ScanDevices(std::ref(silent), result).empty());
  EXPECT_EQ(result, -2);

  FakeLink refusing;
  refusing.replies = {{"aa:dir+", "\r\n<<unknown\r"}};
  EXPECT_TRUE(ScanDevices(std::ref(refusing), result).empty());
  EXPECT_EQ(result, -3);
}

}  // namespace
}  // namespace trivex
