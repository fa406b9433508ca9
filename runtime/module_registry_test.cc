#include "runtime/module_registry.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace Foundation {
namespace {

using Log = std::vector<std::string>;

// Factories and init functions that write their name into the Log passed as
// their last argument.
void FactoryA(OrvikComponentInterface::HostContext*, void* log) {
  static_cast<Log*>(log)->push_back("A");
}
void FactoryB(OrvikComponentInterface::HostContext*, void* log) {
  static_cast<Log*>(log)->push_back("B");
}
void FactoryC(OrvikComponentInterface::HostContext*, void* log) {
  static_cast<Log*>(log)->push_back("C");
}
void FactoryD(OrvikComponentInterface::HostContext* context, void* log) {
  static_cast<Log*>(log)->push_back(context == nullptr ? "D" : "D with context");
}
void InitX(void* log) { static_cast<Log*>(log)->push_back("x"); }
void InitY(void* log) { static_cast<Log*>(log)->push_back("y"); }

TEST(ModuleRegistry, SameFactoryIsListedOnce) {
  ModuleRegistry registry;
  EXPECT_TRUE(registry.RegisterImplObjectFactory(&FactoryA));
  EXPECT_TRUE(registry.RegisterImplObjectFactory(&FactoryB));
  EXPECT_TRUE(registry.RegisterImplObjectFactory(&FactoryA));
  EXPECT_TRUE(registry.RegisterImplObjectFactory(&FactoryA, kLiveViewOrder));
  EXPECT_EQ(registry.factories(), (std::vector<ImplObjectFactory>{&FactoryA, &FactoryB}));
}

TEST(ModuleRegistry, FactoriesRunByPlaceThenRegistrationOrder) {
  ModuleRegistry registry;
  registry.RegisterImplObjectFactory(&FactoryD);
  registry.RegisterImplObjectFactory(&FactoryC, kVideoAnalysisOrder);
  registry.RegisterImplObjectFactory(&FactoryB, kPlaybackOrder);
  registry.RegisterImplObjectFactory(&FactoryA, kLiveViewOrder);
  Log log;
  EXPECT_TRUE(registry.LoadImplObjects(nullptr, &log));
  EXPECT_EQ(log, (Log{"A", "B", "C", "D"}));
}

TEST(ModuleRegistry, LoadImplObjectsRunsEveryFactoryOnEveryCall) {
  ModuleRegistry registry;
  registry.RegisterImplObjectFactory(&FactoryA);
  registry.RegisterImplObjectFactory(&FactoryD);
  Log log;
  auto* context = reinterpret_cast<OrvikComponentInterface::HostContext*>(&log);
  EXPECT_TRUE(registry.LoadImplObjects(context, &log));
  EXPECT_TRUE(registry.LoadImplObjects(nullptr, &log));
  EXPECT_EQ(log, (Log{"A", "D with context", "A", "D"}));
  EXPECT_FALSE(registry.initialised());
  EXPECT_TRUE(ModuleRegistry().LoadImplObjects(nullptr, nullptr));
}

TEST(ModuleRegistry, InitModuleRunsOnlyOnce) {
  ModuleRegistry registry;
  registry.RegisterModuleInitFunction(&InitX);
  registry.RegisterModuleInitFunction(&InitY);
  Log first;
  Log second;
  registry.InitModule(&first);
  EXPECT_TRUE(registry.initialised());
  registry.InitModule(&second);
  EXPECT_EQ(first, (Log{"x", "y"}));
  EXPECT_TRUE(second.empty());

  ModuleRegistry bare;
  bare.InitModule(nullptr);
  EXPECT_TRUE(bare.initialised());
}

TEST(ModuleRegistry, InstanceIsOnePerProcess) {
  EXPECT_EQ(&ModuleRegistry::Instance(), &ModuleRegistry::Instance());
}

}  // namespace
}  // namespace Foundation
