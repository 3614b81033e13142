// The texts in these tests are the en-US ones whatever the machine's
// environment says. The locale is fixed on first use, so this runs before
// any test.

#include <cstdlib>

#include <gtest/gtest.h>

namespace {

class EnglishLocale : public ::testing::Environment {
public:
    void SetUp() override { ::setenv("LC_ALL", "en_US.UTF-8", 1); }
};

[[maybe_unused]] ::testing::Environment* const english = ::testing::AddGlobalTestEnvironment(new EnglishLocale);

}
