// The temporary files' names, made and read back.
#include "common/temporary_name.h"

#include <gtest/gtest.h>

namespace sonaru {
namespace {

TEST(TemporaryFileName, ReadsBackAsItsWriter) {
  EXPECT_EQ(TemporaryFileName("Sonaru.ini", 4242, 7), "Sonaru.ini.tmp4242-7");
  EXPECT_EQ(TemporaryFileWriter(TemporaryFileName("Sonaru.ini", 4294967295u, 0), "Sonaru.ini"), 4294967295u);
}

TEST(TemporaryFileWriter, OnlyTheShapeBesideTheFileIsAWritersFile) {
  const struct {
    const char* name;
    std::optional<std::uint32_t> writer;
  } cases[] = {
      {"Sonaru.ini.tmp12-0", 12},
      {"Sonaru.ini.tmp12-", 12},
      {"Sonaru.ini.tmp0012-x", 12},
      {"Sonaru.ini", std::nullopt},
      {"Sonaru.ini.tmp", std::nullopt},
      {"Sonaru.ini.tmp-1", std::nullopt},
      {"Sonaru.ini.tmp12", std::nullopt},
      {"Sonaru.ini.tmp12x-0", std::nullopt},
      {"Sonaru.ini.tmp+12-0", std::nullopt},
      {"Autre.ini.tmp12-0", std::nullopt},
      {"sonaru.ini.tmp12-0", std::nullopt},
      {"Sonaru.ini.tmp4294967296-0", std::nullopt},  // longer than any process number
      {"Sonaru.ini.tmp99999999999999999999-0", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TemporaryFileWriter(c.name, "Sonaru.ini"), c.writer) << c.name;
  }
}

}  // namespace
}  // namespace sonaru
