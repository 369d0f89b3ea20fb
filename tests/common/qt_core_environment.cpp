#include <gtest/gtest.h>

#include <QCoreApplication>
#include <memory>

namespace {

// One application object for all tests of the executable: Qt's serial port
// and processes want one.
class QtCoreEnvironment final : public ::testing::Environment {
  public:
    void SetUp() override { app_ = std::make_unique<QCoreApplication>(argc_, argv_); }
    void TearDown() override { app_.reset(); }

  private:
    int argc_ = 1;
    char name_[10] = "line_test";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QCoreApplication> app_;
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new QtCoreEnvironment);

}  // namespace
