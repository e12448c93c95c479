// Option lookup: two-character options, one dropped separator, the last match winning.
#include "startup/arguments.h"

#include <gtest/gtest.h>

#include "fakes/services_fixture.h"

namespace sonaru::test {
namespace {

class GetArgumentTest : public ServicesTest {
 protected:
  std::string Value(const std::string& argumentText, const char* option) {
    process.argumentText = argumentText;
    return GetArgument(option);
  }
};

TEST_F(GetArgumentTest, DropsTheThirdCharacterWhateverItIs) {
  EXPECT_EQ(Value("/S:30000", "/S"), "30000");
  EXPECT_EQ(Value("/S20000", "/S"), "0000");
  EXPECT_EQ(Value("/Rest", "/R"), "st");
  EXPECT_EQ(Value("/Save", "/S"), "ve");
  EXPECT_EQ(Value("/T:0:30:0", "/T"), "0:30:0");
  // One character, of however many bytes: a stray continuation byte or a cut character counts as one.
  EXPECT_EQ(Value("/S\xC2\xA7"
                  "20000",
                  "/S"),
            "20000");
  EXPECT_EQ(Value("/S\xE2\x86\x92"
                  "5",
                  "/S"),
            "5");
  EXPECT_EQ(Value("/R\xC3\xA9", "/R"), "");
  EXPECT_EQ(Value("/S\xA7"
                  "20",
                  "/S"),
            "20");
  EXPECT_EQ(Value("/S\xE2"
                  "20",
                  "/S"),
            "20");
}

TEST_F(GetArgumentTest, ShortWordsHaveNoValue) {
  EXPECT_EQ(Value("/R", "/R"), "");
  EXPECT_EQ(Value("/T:", "/T"), "");
  EXPECT_EQ(Value("/Re", "/R"), "");
}

TEST_F(GetArgumentTest, LastMatchWinsEvenWhenEmpty) {
  EXPECT_EQ(Value("/S:20000 /S:30000", "/S"), "30000");
  EXPECT_EQ(Value("/S:20000 /S", "/S"), "");
  EXPECT_EQ(Value("/S:1 x /D:2", "/D"), "2");
}

TEST_F(GetArgumentTest, ComparesExactlyAndSplitsAtEveryBlank) {
  EXPECT_EQ(Value("/s:100", "/S"), "");
  EXPECT_EQ(Value("x  /S:5", "/S"), "5");
  EXPECT_EQ(Value(" /S:5", "/S"), "5");
  EXPECT_EQ(Value("a/S:5", "/S"), "");
  EXPECT_EQ(Value("", "/S"), "");
}

}  // namespace
}  // namespace sonaru::test
