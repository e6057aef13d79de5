// Every sound test runs on the null audio device, never on the machine's sound card.
#include <gtest/gtest.h>

#include "platform/api/waveout.h"

namespace {

class NullAudioEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { platform::setAudioDriver("null"); }
};

const auto* const registered = ::testing::AddGlobalTestEnvironment(new NullAudioEnvironment);

}  // namespace
