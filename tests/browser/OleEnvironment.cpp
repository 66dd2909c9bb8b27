#include <gtest/gtest.h>
#include <ole2.h>

namespace {
// The test thread is the control's apartment, as the browser thread is in
// the client.
class OleEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { ASSERT_EQ(OleInitialize(nullptr), S_OK); }
  void TearDown() override { OleUninitialize(); }
};

const auto* const kOle = ::testing::AddGlobalTestEnvironment(new OleEnvironment);
}  // namespace
