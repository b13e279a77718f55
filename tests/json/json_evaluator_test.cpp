// The JSON command evaluator: commands, markers, nesting, boxes and errors.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "json/json_evaluator.h"
#include "json/utf.h"
#include "platform/vb/collection.h"
#include "platform/vb/error.h"
#include "platform/vb/locale.h"

namespace {

struct Box {
  std::string prompt, title, defaultText;
  int flags;
};

// Answers the evaluator's boxes and records what they would have shown.
class JsonEvaluatorTest : public ::testing::Test {
protected:
  void SetUp() override {
    json::evaluatorSeams().msgBox = [this](const std::string& p, int f, const std::string& t) {
      boxes.push_back({p, t, "", f});
      return 1;
    };
    json::evaluatorSeams().inputBox = [this](const std::string& p, const std::string& t,
                                             const std::string& d) {
      boxes.push_back({p, t, d, -1});
      return answer;
    };
  }
  void TearDown() override {
    json::evaluatorSeams() = {};
    vb::setCurrentLocale(vb::Locale::english());
  }
  std::string eval(const std::string& script) { return json::toUtf8(ev.Eval(json::toUtf16(script))); }
  int errorOf(const std::string& script) {
    try {
      eval(script);
    } catch (const vb::Error& e) {
      return e.number();
    }
    return 0;
  }

  json::JsonEvaluator ev;
  std::vector<Box> boxes;
  std::string answer = "jawaban";
};

TEST_F(JsonEvaluatorTest, Commands) {
  struct Case {
    const char* what;
    const char* script;
    const char* output;
  };
  const Case cases[] = {
      {"texts and null", R"(["a", null, "b"])", "anullb"},
      {"a Boolean parameter", R"([{"get":{"name":"v","default":true}}])", "true"},
      {"a number with a point", R"([{"get":{"name":"v","default":1.5}}])", "1.5"},
      {"set then get", R"(["Halo ", {"set":{"name":"x","value":"Dunia"}}, {"get":{"name":"x"}}])", "Halo Dunia"},
      {"get of a name never set", R"([{"get":{"name":"nope","default":"awal"}}])", "awal"},
      {"set evaluates its value, not its name", R"([{"set":{"name":"y","value":[{"return":"a"},"b"]}},{"get":{"name":"y"}}])", "ab"},
      {"if eq ignores case", R"([{"if":{"value1":"ABC","value2":"abc","type":"eq","true":"ya","false":"tidak"}}])", "ya"},
      {"if gt compares texts", R"([{"if":{"value1":"10","value2":"9","type":"gt","true":"ya","false":"tidak"}}])", "tidak"},
      {"if lt", R"([{"if":{"value1":"10","value2":"9","type":"LT","true":"ya","false":"tidak"}}])", "ya"},
      {"if gte on equal texts", R"([{"if":{"value1":"b","value2":"b","type":"gte","true":"ya"}}])", "ya"},
      {"if lte", R"([{"if":{"value1":"c","value2":"b","type":"lte","true":"ya","false":"tidak"}}])", "tidak"},
      {"if of an unknown type", R"([{"if":{"value1":"a","value2":"a","type":"sama","true":"ya","false":"tidak"}}])", "tidak"},
      {"if evaluates its values", R"([{"if":{"value1":{"return":"x"},"value2":"X","type":"eq","true":1,"false":0}}])", "1"},
      {"switch without a match gives its default",
       R"([{"switch":{"default":"lain","case":"c","items":[{"case":"a","return":"A"},{"case":"b","return":"B"}]}}])", "lain"},
      {"switch takes the first match",
       R"([{"switch":{"default":"lain","case":"B","items":[{"case":"b","return":"satu"},{"case":"B","return":"dua"}]}}])", "satu"},
      {"switch without items", R"([{"switch":{"default":"d"}}])", "d"},
      {"switch cases as numbers", R"([{"switch":{"case":2,"items":[{"case":1,"return":"I"},{"case":2,"return":"II"}]}}])", "II"},
      {"return gives its text as it is", R"([{"return":"<b>"}])", "<b>"},
      {"command names in any case", R"([{"RETURN":"x"}])", "x"},
      {"a marker with a text", R"([{"total":"x"}])", "<%TOTAL(x)%>"},
      {"a marker with an object joins its values", R"([{"total":{"a":"x","b":2,"c":null}}])", "<%TOTAL(x,2,)%>"},
      {"a marker with an array", R"([{"total":[1,2]}])", "<%TOTAL()%>"},
      {"several keys in one object", R"([{"set":{"name":"n","value":"5"},"get":{"name":"n"},"nama":"z"}])", "5<%NAMA(z)%>"},
      {"arrays inside arrays", R"([["a",["b",null]],"c"])", "abnullc"},
      {"an empty script", "[]", ""},
      {"an empty object as the script", "{}", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(eval(c.script), c.output);
    EXPECT_EQ(ev.NestingLevel(), 0);
  }
  EXPECT_TRUE(boxes.empty());
}

TEST_F(JsonEvaluatorTest, NumbersKeepTheirPointWhateverTheRegion) {
  vb::setCurrentLocale(vb::Locale::indonesian());
  EXPECT_EQ(eval(R"([{"get":{"name":"v","default":1.5}}, {"total":{"a":-0.25}}])"), "1.5<%TOTAL(-0.25)%>");
  EXPECT_EQ(json::toUtf8(ev.ExecCommand(vb::Variant(2.75))), "2.75");
}

TEST_F(JsonEvaluatorTest, ValuesNoScriptHolds) {
  struct Other : vb::Object {};
  EXPECT_EQ(ev.ExecCommand(vb::Variant(std::make_shared<Other>())), u"");  // any other object
  EXPECT_EQ(ev.ExecCommand(vb::Variant(std::shared_ptr<vb::Object>())), u"");  // nothing
  EXPECT_EQ(ev.ExecCommand(vb::Variant()), u"");  // Empty
  EXPECT_EQ(ev.ExecCommand(vb::Variant(42)), u"42");
  EXPECT_EQ(ev.NestingLevel(), 0);
}

TEST_F(JsonEvaluatorTest, AlertAndInput) {
  EXPECT_EQ(eval(R"([{"alert":{"message":["Total ",{"return":"5"}],"title":"Info"}}, "ok"])"), "ok");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].prompt, "Total 5");
  EXPECT_EQ(boxes[0].title, "Info");
  EXPECT_EQ(boxes[0].flags, json::kMsgInformation);

  boxes.clear();
  EXPECT_EQ(eval(R"(["[", {"input":{"prompt":"Nama?","title":"Isi","default":"Dewi"}}, "]"])"), "[jawaban]");
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].prompt, "Nama?");
  EXPECT_EQ(boxes[0].title, "Isi");
  EXPECT_EQ(boxes[0].defaultText, "Dewi");

  answer = "";  // cancelled
  EXPECT_EQ(eval(R"([{"set":{"name":"n","value":{"input":{"prompt":"?"}}}}, {"get":{"name":"n","default":"kosong"}}])"),
            "kosong");
}

TEST_F(JsonEvaluatorTest, AScriptWithAFaultShowsTheReadersMessages) {
  struct Case {
    const char* script;
    const char* message;
  };
  const Case cases[] = {
      {R"(["a", tru])", "Invalid Boolean at position 7 : tru]\r\n"},
      {R"("just text")", "Invalid JSON"},
      {"", "Invalid JSON"},
      {R"([{"alert":{"message":"x"}})", "Missing ']': rt\":{\"message\":\"x\"}}\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    boxes.clear();
    EXPECT_EQ(eval(c.script), "");
    ASSERT_EQ(boxes.size(), 1u);  // nothing of the script ran
    EXPECT_EQ(boxes[0].title, "Parser Error");
    EXPECT_EQ(boxes[0].flags, json::kMsgExclamation);
    EXPECT_EQ(boxes[0].prompt, c.message);
  }
}

TEST_F(JsonEvaluatorTest, NestingLimit) {
  // n arrays around a text: the text runs at level n + 1.
  auto nested = [](int n) { return std::string(n, '[') + "[\"x\"]" + std::string(n, ']'); };
  EXPECT_EQ(eval(nested(40)), "x");  // 41 levels run
  EXPECT_EQ(eval(nested(41)), "ERROR: Nesting level exceeded.");
  EXPECT_EQ(eval(nested(300)), "ERROR: Nesting level exceeded.");
  EXPECT_EQ(ev.NestingLevel(), 0);

  // Nested commands count the same way.
  std::string commands = "\"x\"";
  for (int i = 0; i < 41; ++i) commands = "{\"get\":{\"name\":\"none\",\"default\":" + commands + "}}";
  EXPECT_EQ(eval("[" + commands + "]"), "ERROR: Nesting level exceeded.");

  // A tree made by hand, far deeper than any the reader gives.
  auto root = std::make_shared<vb::Collection>();
  auto at = root;
  for (int i = 0; i < 100000; ++i) {
    auto inner = std::make_shared<vb::Collection>();
    at->Add(vb::Variant(inner));
    at = inner;
  }
  EXPECT_EQ(json::toUtf8(ev.ExecCommand(vb::Variant(root))), "ERROR: Nesting level exceeded.");
  // Freed from the innermost, so that releasing it needs no deep recursion.
  while (root->Count()) {
    auto next = root->Item(1).as<vb::Collection>();
    root->Remove(1);
    root = next;
  }
}

TEST_F(JsonEvaluatorTest, ErrorsLeaveEval) {
  struct Case {
    const char* what;
    const char* script;
    int error;
  };
  const Case cases[] = {
      {"a number as an element", "[1]", vb::err::ObjectRequired},
      {"a Boolean as an element", "[\"a\", true]", vb::err::ObjectRequired},
      {"an object with members as the script", R"({"a":"b"})", vb::err::ObjectRequired},
      {"a command with a number", R"([{"alert":5}])", vb::err::TypeMismatch},
      {"a command with null", R"([{"total":null}])", vb::err::TypeMismatch},
      {"a command with a Boolean", R"([{"return":false}])", vb::err::TypeMismatch},
      {"a return of an object", R"([{"return":{"a":1}}])", vb::err::TypeMismatch},
      {"a named-parameter command given a text", R"([{"alert":"Halo"}])", vb::err::ObjectRequired},
      {"a named-parameter command given an array", R"([{"set":["a"]}])", vb::err::TypeMismatch},
      {"switch items that are no array", R"([{"switch":{"items":"a"}}])", vb::err::ObjectRequired},
      {"a switch item that is no object", R"([{"switch":{"case":"a","items":["a"]}}])", vb::err::ObjectRequired},
      {"a marker member that is an object", R"([{"total":{"a":[1]}}])", vb::err::TypeMismatch},
      {"deep inside", R"([[[[[{"get":{"name":"x","default":{"alert":1}}}]]]]])", vb::err::TypeMismatch},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(errorOf(c.script), c.error);
    EXPECT_EQ(ev.NestingLevel(), 0);  // restored however the call ended
  }
  EXPECT_TRUE(boxes.empty());
}

// A variable of 16 characters doubled n times, then the tail's elements.
std::string doubling(int n, const std::string& tail) {
  std::string s = R"([{"set":{"name":"x","value":"0123456789abcdef"}})";
  for (int i = 0; i < n; ++i) s += R"(,{"set":{"name":"x","value":[{"get":{"name":"x"}},{"get":{"name":"x"}}]}})";
  return s + tail + "]";
}

// No script builds a text past the limit: error 7 comes out of Eval first,
// whether the text is the result, a command's output or the variables.
TEST_F(JsonEvaluatorTest, TextsStayWithinTheLimit) {
  const size_t limit = json::JsonEvaluator::kMaxOutputLength;
  ASSERT_EQ(limit, 16u << 16);
  const std::string atLimit = R"(,{"get":{"name":"x"}})";
  struct Case {
    const char* what;
    std::string script;
    int error;
    size_t length;
  };
  const Case cases[] = {
      {"a variable doubled up to the limit", doubling(16, atLimit), 0, limit},
      {"doubled once more", doubling(17, atLimit), vb::err::OutOfMemory, 0},
      {"doubled 24 times, 268 million characters", doubling(24, atLimit), vb::err::OutOfMemory, 0},
      {"the result of the elements together", doubling(16, atLimit + R"(,"!")"), vb::err::OutOfMemory, 0},
      {"an array's output", doubling(16, R"(,{"if":{"type":"eq","true":[{"get":{"name":"x"}},"!"]}})"),
       vb::err::OutOfMemory, 0},
      {"a marker's output", doubling(16, R"(,{"if":{"type":"eq","true":{"get":{"name":"x"}, "total":"!"}}})"),
       vb::err::OutOfMemory, 0},
      {"the variables together", doubling(16, R"(,{"set":{"name":"y","value":"!"}})"), vb::err::OutOfMemory, 0},
      {"a variable replaced by one as long", doubling(16, R"(,{"set":{"name":"x","value":{"get":{"name":"x"}}}})"),
       0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    json::JsonEvaluator fresh;
    std::u16string out;
    int error = 0;
    try {
      out = fresh.Eval(json::toUtf16(c.script));
    } catch (const vb::Error& e) {
      error = e.number();
    }
    EXPECT_EQ(error, c.error);
    EXPECT_EQ(out.size(), c.length);
    EXPECT_EQ(fresh.NestingLevel(), 0);
  }
}

TEST_F(JsonEvaluatorTest, VariablesLiveAsLongAsTheEvaluator) {
  EXPECT_EQ(ev.Variables(), nullptr);
  eval(R"(["a"])");
  EXPECT_EQ(ev.Variables(), nullptr);  // made by the first set or get only
  eval(R"([{"get":{"name":"x"}}])");
  ASSERT_NE(ev.Variables(), nullptr);
  EXPECT_EQ(ev.Variables()->Count(), 0);  // reading a name adds nothing

  eval(R"([{"set":{"name":"Kota","value":"Bandung"}}, {"set":{"name":"kota","value":"Bogor"}}])");
  EXPECT_EQ(eval(R"([{"get":{"name":"Kota"}}, "/", {"get":{"name":"kota"}}])"), "Bandung/Bogor");
  eval(R"([{"set":{"name":"Kota","value":"Depok"}}])");
  EXPECT_EQ(ev.Variables()->Count(), 2);
  EXPECT_EQ(ev.Variables()->Item("Kota").toString(), "Depok");

  // Variables the caller changes in between: a script may set them again,
  // and what the caller took away no longer counts against the limit.
  ev.Variables()->Item("Catatan") = vb::Variant(std::string(1000, 'c'));
  EXPECT_EQ(eval(R"([{"set":{"name":"Catatan","value":"lunas"}}, {"get":{"name":"Catatan"}}])"), "lunas");
  ev.Variables()->Item("Kota") = vb::Variant(std::string(2000, 'k'));
  EXPECT_EQ(eval(R"([{"set":{"name":"Kota","value":"Bogor"}}, {"get":{"name":"Kota"}}])"), "Bogor");
  eval(doubling(15, ""));  // half the limit
  ev.Variables()->Remove("x");
  EXPECT_EQ(eval(doubling(15, R"(,{"get":{"name":"x"}})")).size(), json::JsonEvaluator::kMaxOutputLength / 2);
  // What the caller puts in counts too: past the limit together, no script runs.
  ev.Variables()->Item("Besar") = vb::Variant(std::string(json::JsonEvaluator::kMaxOutputLength / 2, 'b'));
  EXPECT_EQ(errorOf(R"(["a"])"), vb::err::OutOfMemory);

  json::JsonEvaluator other;
  EXPECT_EQ(json::toUtf8(other.Eval(u"[{\"get\":{\"name\":\"Kota\",\"default\":\"-\"}}]")), "-");
}

TEST_F(JsonEvaluatorTest, WithoutSeamsBoxesAreAnsweredQuietly) {
  json::evaluatorSeams() = {};
  EXPECT_EQ(eval(R"([{"alert":{"message":"x"}}, {"input":{"prompt":"?"}}, "ok"])"), "ok");
  EXPECT_EQ(eval("[tru"), "");
}

}  // namespace
