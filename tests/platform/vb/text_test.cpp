// Text functions count characters of UTF-8 text from 1.
#include <gtest/gtest.h>

#include "platform/vb/error.h"
#include "platform/vb/text.h"

namespace {

TEST(Text, CharacterPositionsNotBytes) {
  const std::string num = "KW-001/12/2026";
  EXPECT_EQ(vb::Right(num, 11), "001/12/2026");
  EXPECT_EQ(vb::Right("001/12", 11), "001/12");  // shorter than asked: whole
  EXPECT_EQ(vb::Mid(num, 8), "12/2026");
  EXPECT_EQ(vb::Left(num, 3), "KW-");

  const std::string cafe = "caf\xC3\xA9 Rp";  // é is two bytes
  EXPECT_EQ(vb::Len(cafe), 7);
  EXPECT_EQ(vb::Left(cafe, 4), "caf\xC3\xA9");
  EXPECT_EQ(vb::Mid(cafe, 4, 1), "\xC3\xA9");
  EXPECT_EQ(vb::Right(cafe, 4), "\xC3\xA9 Rp");
  EXPECT_EQ(vb::Mid(cafe, 20), "");
  EXPECT_EQ(vb::InStr(cafe, "Rp"), 6);
  EXPECT_EQ(vb::InStr(7, cafe, "Rp"), 0);
  EXPECT_EQ(vb::InStr(cafe, ""), 1);
  for (auto f : {+[] { vb::Mid("abc", 0); }, +[] { vb::Left("abc", -1); }}) {
    try {
      f();
      ADD_FAILURE();
    } catch (const vb::Error& e) {
      EXPECT_EQ(e.number(), 5);
    }
  }
}

TEST(Text, CaseTrimAndReplace) {
  EXPECT_EQ(vb::UCase("admin \xC3\xA9"), "ADMIN \xC3\x89");
  EXPECT_EQ(vb::LCase("ADMIN \xC3\x89\xC3\x97"), "admin \xC3\xA9\xC3\x97");  // × stays
  EXPECT_EQ(vb::Trim("  a b \t "), "a b \t");  // blanks only
  EXPECT_EQ(vb::Replace("O'Neil's", "'", "''"), "O''Neil''s");
  EXPECT_EQ(vb::Replace("aaa", "aa", "b"), "ba");
  EXPECT_EQ(vb::Replace("abc", "", "x"), "abc");
}

}  // namespace
