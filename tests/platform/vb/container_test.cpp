// The ordered dictionary and the collection.
#include <gtest/gtest.h>

#include "platform/vb/collection.h"
#include "platform/vb/dictionary.h"

namespace {

int errorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const vb::Error& e) {
    return e.number();
  }
  return 0;
}

TEST(Dictionary, KeepsOrderAndExactKeys) {
  vb::Dictionary d;
  d.Add("b", 1);
  d.Add("a", 2);
  d.Add("A", 3);
  d.Add("10", 4);
  d.Add("2", 5);
  EXPECT_EQ(d.Keys(), (std::vector<std::string>{"b", "a", "A", "10", "2"}));
  EXPECT_EQ(d.Item("a").toLong(), 2);
  EXPECT_EQ(d.Item("A").toLong(), 3);
  EXPECT_FALSE(d.Exists("B"));

  d.Remove("a");
  EXPECT_EQ(d.Keys(), (std::vector<std::string>{"b", "A", "10", "2"}));
  EXPECT_EQ(d.Item("2").toLong(), 5);  // positions after a removal still right
  const auto items = d.Items();
  ASSERT_EQ(items.size(), 4u);
  EXPECT_EQ(items[1].toLong(), 3);

  d.Item("b") = "baru";
  EXPECT_EQ(d.Item("b").toString(), "baru");
  d.RemoveAll();
  EXPECT_EQ(d.Count(), 0);
  d.Add("a", 1);  // a key removed by RemoveAll may come back
  EXPECT_EQ(d.Count(), 1);
}

TEST(Dictionary, ErrorsAndMissingKeys) {
  vb::Dictionary d;
  d.Add("1", "satu");
  try {
    d.Add("1", "lagi");
    ADD_FAILURE();
  } catch (const vb::Error& e) {
    EXPECT_EQ(e.number(), vb::err::DuplicateKey);
    EXPECT_EQ(e.description(), "This key is already associated with an element of this collection");
  }
  EXPECT_EQ(d.Item("1").toString(), "satu");  // the failed add changed nothing

  const vb::Dictionary& cd = d;
  EXPECT_EQ(errorOf([&] { cd.Item("x"); }), vb::err::SubscriptOutOfRange);
  EXPECT_EQ(errorOf([&] { d.Remove("x"); }), vb::err::SubscriptOutOfRange);
  EXPECT_EQ(d.Count(), 1);

  // Reading a missing key through the writable access adds it, empty.
  EXPECT_TRUE(d.Item("2").isEmpty());
  EXPECT_EQ(d.Count(), 2);
  EXPECT_EQ(d.Keys().back(), "2");
}

TEST(Collection, NumberedFromOne) {
  vb::Collection c;
  for (const char* s : {"a", "b", "c"}) c.Add(s);
  EXPECT_EQ(c.Count(), 3);
  EXPECT_EQ(c.Item(1).toString(), "a");
  EXPECT_EQ(c.Item(3).toString(), "c");
  for (long bad : {0L, 4L, -1L}) EXPECT_EQ(errorOf([&] { c.Item(bad); }), vb::err::SubscriptOutOfRange) << bad;
  c.Remove(2);
  EXPECT_EQ(c.Item(2).toString(), "c");
  EXPECT_EQ(errorOf([&] { c.Remove(3); }), vb::err::SubscriptOutOfRange);
  EXPECT_EQ(c.Count(), 2);
}

TEST(Collection, HoldsNestedObjects) {
  auto inner = std::make_shared<vb::Dictionary>();
  inner->Add("k", 1.5);
  vb::Collection c;
  c.Add(vb::Variant(inner));
  c.Add(vb::Variant::null());
  EXPECT_EQ(c.Item(1).as<vb::Dictionary>()->Item("k").toDouble(), 1.5);
  EXPECT_TRUE(c.Item(2).isNull());
  EXPECT_EQ(errorOf([&] { c.Item(1).as<vb::Collection>(); }), vb::err::TypeMismatch);
}

}  // namespace
