#include <gtest/gtest.h>
#include <unistd.h>

#include <ctime>

#include "platform/SingleInstance.h"

namespace {
std::string UniqueTitle() {
  // <chrono> cannot be compiled with the Shift JIS execution character set, so pid and time it is.
  static int counter = 0;
  return "test-" + std::to_string(getpid()) + "-" + std::to_string(std::time(nullptr)) + "-" +
         std::to_string(++counter);
}

bool WaitForRaise(CSingleInstance& instance) {
  for (int i = 0; i < 200; ++i) {
    if (instance.TakeRaiseRequest()) return true;
    usleep(5000);
  }
  return false;
}
}  // namespace

TEST(SingleInstance, SecondCopyOfTheSameGameAsksTheFirstToRaiseAndGivesWay) {
  const std::string title = UniqueTitle();
  CSingleInstance first, second;
  ASSERT_TRUE(first.Acquire("ZEL Script Window", title));
  EXPECT_FALSE(first.TakeRaiseRequest());
  EXPECT_FALSE(second.Acquire("ZEL Script Window", title));
  EXPECT_TRUE(WaitForRaise(first));
  EXPECT_FALSE(first.TakeRaiseRequest()) << "one request raises once";
}

TEST(SingleInstance, OtherGamesAndReleasedInstancesDoNotBlock) {
  const std::string title = UniqueTitle();
  CSingleInstance first, other, later;
  ASSERT_TRUE(first.Acquire("ZEL Script Window", title));
  EXPECT_TRUE(other.Acquire("ZEL Script Window", title + " 2"));
  first.Release();
  EXPECT_TRUE(later.Acquire("ZEL Script Window", title));
}
