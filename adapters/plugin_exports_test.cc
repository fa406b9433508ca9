// Loads built copies of the plug-in as the host does and drives their four
// exports.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/host_context.h"
#include "platform/platform.h"

namespace {

using OrvikComponentInterface::HostContext;

using CheckModuleFunction = void (*)();
using InitModuleFunction = void (*)(void*);
using LoadImplObjectsFunction = bool (*)(HostContext*, void*);
using ClearModuleFunction = void (*)(void*);

class Plugin {
 public:
  explicit Plugin(const char* file) : handle_(Platform::OpenModule(file)) {}
  ~Plugin() {
    if (handle_ != nullptr) Platform::CloseModule(handle_);
  }
  Plugin(const Plugin&) = delete;
  Plugin& operator=(const Plugin&) = delete;

  bool loaded() const { return handle_ != nullptr; }
  void* Symbol(const char* name) const { return Platform::ModuleExport(handle_, name); }
  template <typename F>
  F Export(const char* name) const {
    return reinterpret_cast<F>(Symbol(name));
  }

 private:
  Platform::ModuleHandle handle_;
};

// The host side of RegisterImplObject: keeps the names, in call order.
class Registrations {
 public:
  void RegisterImplObject(const char*, const char* type_name, Foundation::Any*) {
    names.push_back(type_name);
  }
  std::vector<std::string> names;
};

TEST(PluginExports, ShimwellExportsTheFourEntryPointsOnly) {
  Plugin plugin(SHIMWELL_PLUGIN_FILE);
  ASSERT_TRUE(plugin.loaded()) << SHIMWELL_PLUGIN_FILE;
  for (const char* name : {"CheckModule", "InitModule", "LoadImplObjects", "ClearModule"}) {
    EXPECT_NE(plugin.Symbol(name), nullptr) << name;
  }
  EXPECT_EQ(plugin.Symbol("_ZN10Foundation14ModuleRegistry8InstanceEv"), nullptr);
}

class OrderTestPlugin : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(plugin_.loaded()) << SHIMWELL_ORDER_TEST_PLUGIN_FILE;
    context_.RegisterImplObject = {&registrations_, &Registrations::RegisterImplObject};
  }

  Plugin plugin_{SHIMWELL_ORDER_TEST_PLUGIN_FILE};
  HostContext context_{};
  Registrations registrations_;
};

TEST_F(OrderTestPlugin, LoadImplObjectsRunsFactoriesInTheirPlacesOnEveryCall) {
  auto load = plugin_.Export<LoadImplObjectsFunction>("LoadImplObjects");
  ASSERT_NE(load, nullptr);
  EXPECT_TRUE(load(&context_, nullptr));
  EXPECT_TRUE(load(&context_, nullptr));
  const std::vector<std::string> once = {"class Test::Early", "class Test::Late",
                                         "class Test::Unplaced"};
  std::vector<std::string> twice = once;
  twice.insert(twice.end(), once.begin(), once.end());
  EXPECT_EQ(registrations_.names, twice);
}

TEST_F(OrderTestPlugin, UnboundRegistrationIsSkipped) {
  HostContext unbound{};
  EXPECT_TRUE(plugin_.Export<LoadImplObjectsFunction>("LoadImplObjects")(&unbound, nullptr));
  EXPECT_TRUE(registrations_.names.empty());
}

TEST_F(OrderTestPlugin, InitModuleRunsInitialisationOnce) {
  auto init = plugin_.Export<InitModuleFunction>("InitModule");
  int count = 0;
  int ignored = 0;
  init(&count);
  init(&ignored);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(ignored, 0);
  EXPECT_TRUE(plugin_.Export<LoadImplObjectsFunction>("LoadImplObjects")(&context_, nullptr));
  EXPECT_EQ(registrations_.names.size(), 3u);
}

TEST_F(OrderTestPlugin, CheckAndClearModuleChangeNothing) {
  plugin_.Export<CheckModuleFunction>("CheckModule")();
  plugin_.Export<ClearModuleFunction>("ClearModule")(nullptr);
  EXPECT_TRUE(registrations_.names.empty());
  plugin_.Export<LoadImplObjectsFunction>("LoadImplObjects")(&context_, nullptr);
  plugin_.Export<ClearModuleFunction>("ClearModule")(&context_);
  plugin_.Export<LoadImplObjectsFunction>("LoadImplObjects")(&context_, nullptr);
  EXPECT_EQ(registrations_.names.size(), 6u);
}

}  // namespace
