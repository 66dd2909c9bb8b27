#include "CommandQueue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <set>
#include <thread>
#include <vector>

namespace {

HtmlCommand Numbered(std::uintptr_t n) {
  HtmlCommand c;
  c.kind = kHtmlNavigate;
  c.argA = n;
  c.url = L"http://127.0.0.1/" + std::to_wstring(n);
  return c;
}

TEST(CommandQueue, OldestFirstAndCopiesTheUrl) {
  CommandQueue q;
  EXPECT_FALSE(q.Push(Numbered(1)));
  EXPECT_FALSE(q.Push(Numbered(2)));
  auto first = q.PopFront();
  ASSERT_TRUE(first);
  EXPECT_EQ(first->argA, 1u);
  EXPECT_EQ(first->url, L"http://127.0.0.1/1");
  EXPECT_EQ(q.PopFront()->argA, 2u);
  EXPECT_FALSE(q.PopFront());
}

TEST(CommandQueue, ReadyReportsWhatWaitsOnceAndThenEveryPushAsksForAnAnnouncement) {
  CommandQueue q;
  ASSERT_FALSE(q.Push(Numbered(1)));
  ASSERT_FALSE(q.Push(Numbered(2)));
  EXPECT_EQ(q.MarkReady(), 2u);
  EXPECT_EQ(q.MarkReady(), 0u);
  EXPECT_TRUE(q.Push(Numbered(3)));
  EXPECT_EQ(q.Count(), 3u);
}

// Every push made before or during MarkReady is announced exactly once.
TEST(CommandQueue, ConcurrentPushesAroundReadinessAreAnnouncedExactlyOnce) {
  CommandQueue q;
  constexpr int kThreads = 4;
  constexpr int kPerThread = 2000;
  std::atomic<std::size_t> announcedByPush{0};
  std::vector<std::thread> producers;
  for (int t = 0; t < kThreads; ++t) {
    producers.emplace_back([&, t] {
      for (int i = 0; i < kPerThread; ++i) {
        if (q.Push(Numbered(static_cast<std::uintptr_t>(t * kPerThread + i)))) ++announcedByPush;
      }
    });
  }
  std::size_t announcedByReady = q.MarkReady();
  for (auto& p : producers) p.join();
  EXPECT_EQ(announcedByReady + announcedByPush, static_cast<std::size_t>(kThreads * kPerThread));

  std::set<std::uintptr_t> seen;
  std::vector<std::uintptr_t> lastOfThread(kThreads, 0);
  std::vector<bool> any(kThreads, false);
  while (auto c = q.PopFront()) {
    EXPECT_TRUE(seen.insert(c->argA).second) << "popped twice: " << c->argA;
    int t = static_cast<int>(c->argA / kPerThread);
    if (any[t]) {
      EXPECT_GT(c->argA, lastOfThread[t]) << "out of order";
    }
    any[t] = true;
    lastOfThread[t] = c->argA;
  }
  EXPECT_EQ(seen.size(), static_cast<std::size_t>(kThreads * kPerThread));
}

}  // namespace
