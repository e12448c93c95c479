// Where the program finds the files shipped with it: beside itself, or in an installed layout's shared
// folder.
#include "platform/posix/posix_process.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace sonaru::platform {
namespace {

namespace fs = std::filesystem;

class ResourceDirectoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "sonaru-prefix-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    prefix = pattern;
    bin = prefix / "bin";
    shared = prefix / "share" / "sonaru";
    fs::create_directories(bin);
  }
  void TearDown() override { fs::remove_all(prefix); }

  static void Touch(const fs::path& file) { std::ofstream(file) << "x"; }

  fs::path prefix;
  fs::path bin;
  fs::path shared;
};

TEST_F(ResourceDirectoryTest, AnInstalledProgramUsesItsPrefixSharedFolder) {
  fs::create_directories(shared);
  EXPECT_EQ(ResourceDirectoryOf(bin.string()), shared.string());
}

TEST_F(ResourceDirectoryTest, EitherFileBesideTheProgramWinsOverTheSharedFolder) {
  fs::create_directories(shared);
  for (const char* name : {"ding.wav", "Sonaru.CHM"}) {
    Touch(bin / name);
    EXPECT_EQ(ResourceDirectoryOf(bin.string()), bin.string()) << name;
    fs::remove(bin / name);
  }
}

TEST_F(ResourceDirectoryTest, WithoutEitherTheProgramDirectoryStays) {
  EXPECT_EQ(ResourceDirectoryOf(bin.string()), bin.string());
  fs::create_directories(shared.parent_path());
  Touch(shared);  // a file of that name is no folder
  EXPECT_EQ(ResourceDirectoryOf(bin.string()), bin.string());
}

}  // namespace
}  // namespace sonaru::platform
