// The amount in words, its title-casing and the receipt number proposal.
#include <gtest/gtest.h>

#include <cmath>

#include "core/module1.h"
#include "core/program_fixture.h"
#include "platform/vb/date.h"
#include "receipts/nomor.h"
#include "receipts/terbilang.h"

namespace {

std::string words(double amount) { return Terbilang(amount, "terlalu besar"); }

TEST(Terbilang, SpellsAmountsInIndonesian) {
  const std::pair<double, const char*> cases[] = {
      {0, "nol"},
      {1, "Satu "},
      {10, "Sepuluh "},
      {11, "Sebelas "},
      {15, "Lima Belas "},
      {19, "Sembilan Belas "},
      {21, "Dua Puluh Satu "},
      {100, "Seratus "},
      {101, "Seratus Satu "},
      {110, "Seratus Sepuluh "},
      {999, "Sembilan Ratus Sembilan Puluh Sembilan "},
      {1000, "Seribu "},
      {1001, "Seribu Satu "},
      {1500, "Seribu Lima Ratus "},
      {1999, "Seribu Sembilan Ratus Sembilan Puluh Sembilan "},
      {2000, "Dua Ribu "},
      {2500, "Dua Ribu Lima Ratus "},
      {11000, "Sebelas Ribu "},
      {21001, "Dua Puluh Satu Ribu Satu "},
      {1000000, "Satu Juta "},
      {1001000, "Satu Juta Satu Ribu "},
      {1100000, "Satu Juta Seratus Ribu "},
      {1e9, "Satu Milyar "},
      {1e12, "Satu Trilyun "},
      {1e15 - 1,
       "Sembilan Ratus Sembilan Puluh Sembilan Trilyun Sembilan Ratus Sembilan Puluh Sembilan Milyar "
       "Sembilan Ratus Sembilan Puluh Sembilan Juta Sembilan Ratus Sembilan Puluh Sembilan Ribu "
       "Sembilan Ratus Sembilan Puluh Sembilan "},
      {1e15, "terlalu besar"},
      {3e15, "terlalu besar"},
  };
  for (const auto& c : cases) EXPECT_EQ(words(c.first), c.second) << std::fixed << c.first;
}

TEST(Terbilang, MessageIsPassedThroughAndAmountIsWorkingStorage) {
  double big = 1e15;
  EXPECT_EQ(Terbilang(big, "Terlalu Besar!"), "Terlalu Besar!");
  EXPECT_EQ(big, 1e15);
  // The groups are taken off the caller's variable; what stays is below a thousand.
  double amount = 2500;
  EXPECT_EQ(Terbilang(amount, "x"), "Dua Ribu Lima Ratus ");
  EXPECT_EQ(amount, 500);
}

TEST(ProperCase, CapitalisesAfterBlanksOnly) {
  const std::pair<const char*, const char*> cases[] = {
      {"", ""},
      {"dua ratus ", "Dua Ratus "},
      {"SERIBU lima", "Seribu Lima"},
      {"  dua", "  Dua"},
      {"a-b c.d e1f", "A-b C.d E1f"},
      {"x\ty", "X\ty"},
      {"élan ÉCOLE", "Élan École"},
  };
  for (const auto& c : cases) EXPECT_EQ(ProperCase(c.first), c.second) << c.first;
}

class NomorTest : public vt::test::ProgramTest {
protected:
  void SetUp() override {
    ProgramTest::SetUp();
    Module1::bukaDatabase();
  }
  void stored(const std::string& nomor) {
    Module1::koneksi->execute("insert into tblkwitansi (NoKwitansi) values ('" + nomor + "')");
  }
  static void clockOn(int y, int m, int d) {
    vb::setClock([=] { return vb::Date::fromParts(y, m, d, 9, 15); });
  }
};

TEST_F(NomorTest, ProposesTheNextOfTheMonth) {
  struct Case {
    const char* name;
    std::vector<std::string> stored;
    int y, m, d;
    const char* prefix;
    const char* expected;
  };
  const Case cases[] = {
      {"first of a month, earlier months stored", {"007/12/2025", "012/11/2025"}, 2026, 1, 1, "KW-", "KW-001/01/2026"},
      {"after 045 in the same month", {"045/01/2026", "009/01/2026", "120/12/2025"}, 2026, 1, 31, "KW-",
       "KW-046/01/2026"},
      {"after 045 in the next month", {"045/01/2026"}, 2026, 2, 1, "KW-", "KW-001/02/2026"},
      {"099 to 100", {"099/03/2026", "098/03/2026"}, 2026, 3, 10, "", "100/03/2026"},
      {"999 to 000", {"999/03/2026", "500/03/2026"}, 2026, 3, 10, "", "000/03/2026"},
      {"000 stays below 999", {"999/03/2026", "000/03/2026"}, 2026, 3, 10, "", "000/03/2026"},
      {"the year changes", {"310/12/2025"}, 2026, 12, 5, "A/", "A/001/12/2026"},
      {"same month a year later", {"310/12/2025"}, 2025, 12, 31, "A/", "A/311/12/2025"},
      {"a stored number that is no date is passed over", {"abc", "004/05/2026", "KW-LAMA"}, 2026, 5, 2, "",
       "005/05/2026"},
      {"a sequence that is no digits is passed over", {"12/05/2026", "003/05/2026"}, 2026, 5, 2, "",
       "004/05/2026"},
      {"a stored prefix-less key with apostrophe", {"00'/05/2026", "002/05/2026"}, 2026, 5, 2, "", "003/05/2026"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Module1::koneksi->execute("DELETE * FROM tblkwitansi");
    for (const std::string& n : c.stored) stored(db::quote(n));
    clockOn(c.y, c.m, c.d);
    EXPECT_EQ(usulanNomor(c.prefix), c.expected);
  }
}

TEST_F(NomorTest, EmptyPrefixGivesElevenCharacters) {
  Module1::koneksi->execute("DELETE * FROM tblkwitansi");
  const std::string n = usulanNomor("");
  EXPECT_EQ(n, "001/12/2025");
  EXPECT_EQ(n.size(), 11u);
}

TEST_F(NomorTest, WithoutTheTableTheMonthStartsAtOne) {
  Module1::koneksi->execute("DROP TABLE tblkwitansi");
  EXPECT_EQ(usulanNomor("X"), "X001/12/2025");
}

}  // namespace
