// The multi-reader lock: readers share it, writers exclude everyone.
#include "SyncObjs.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>
#include <vector>

TEST(MultiReadExclusiveWriteSynchronizer, ReadersHoldItTogether) {
  TMultiReadExclusiveWriteSynchronizer lock;
  lock.BeginRead();
  std::future<void> second = std::async(std::launch::async, [&] {
    TReadGuard guard(lock);
  });
  // An exclusive lock would keep the second reader waiting until EndRead below.
  EXPECT_EQ(second.wait_for(std::chrono::seconds(10)), std::future_status::ready);
  lock.EndRead();
  second.get();
}

TEST(MultiReadExclusiveWriteSynchronizer, WritersNeverOverlap) {
  TMultiReadExclusiveWriteSynchronizer lock;
  volatile int counter = 0;  // not atomic: only the lock protects it
  int readerSaw = 0;
  constexpr int kThreads = 4, kRounds = 20000;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([&] {
      for (int i = 0; i < kRounds; ++i) {
        TWriteGuard guard(lock);
        counter = counter + 1;
      }
    });
  threads.emplace_back([&] {
    for (int i = 0; i < kRounds; ++i) {
      TReadGuard guard(lock);
      int a = counter, b = counter;  // no writer between two reads under the lock
      if (a != b) ++readerSaw;
    }
  });
  for (auto& t : threads) t.join();
  EXPECT_EQ(counter, kThreads * kRounds);
  EXPECT_EQ(readerSaw, 0);
}
