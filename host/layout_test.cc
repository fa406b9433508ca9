// The host reads these records by pair number and slot; their sizes are part
// of the contract.
#include <gtest/gtest.h>

#include "host/interface_sets.h"

namespace OrvikComponentInterface {
namespace {

TEST(HostLayout, RecordsAreWholeRunsOfPairs) {
  EXPECT_EQ(sizeof(HostContext), 14 * kPairSize);
  EXPECT_EQ(sizeof(IMultiNodeDisplayMgrSet), 34 * kPairSize);
  EXPECT_EQ(sizeof(IPlayerMgrSet), 22 * kPairSize);
  EXPECT_EQ(sizeof(IDeviceManagerSet), 4 * kPairSize);
  EXPECT_EQ(sizeof(IAdaptorSet), 1 * kPairSize);
  EXPECT_EQ(sizeof(ICustomerInfoSet), 8 * kPairSize);
  EXPECT_EQ(sizeof(IPTZLocateSet), 3 * kPairSize);
  EXPECT_EQ(sizeof(IVideoAnalysisShapeFactorySet), 1 * kPairSize);
}

TEST(HostLayout, PairIsObjectAndMemberFunction) {
  EXPECT_EQ(kPairSize, sizeof(void*) + sizeof(void (fastdelegate::detail::GenericClass::*)()));
}

}  // namespace
}  // namespace OrvikComponentInterface
