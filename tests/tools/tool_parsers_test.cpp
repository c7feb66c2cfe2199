// The parsers and writers the tools share: the command line, the step and
// item selections of kfsdump, calendar times, and the JSON and text reports
// of what files hold (texts from files may be anything).
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "calendar.h"
#include "command_line.h"
#include "report.h"
#include "selection.h"

namespace {

using tools::CommandLine;
using tools::UsageError;

const std::vector<tools::OptionSpec> kOptions = {{"--json", false}, {"--item", true}};

TEST(CommandLine, OptionsValuesAndArguments) {
  const CommandLine line({"--item=3", "a.dfs", "--json", "--", "--json", "-"}, kOptions);
  EXPECT_TRUE(line.Has("--json"));
  EXPECT_EQ(line.Value("--item"), "3");
  EXPECT_EQ(line.Value("--other", "none"), "none");
  EXPECT_EQ(line.Arguments(), (std::vector<std::string>{"a.dfs", "--json", "-"}));
  const CommandLine spaced({"--item", "4", "-1.5e3", "-.5"}, kOptions);
  EXPECT_EQ(spaced.Value("--item"), "4");
  EXPECT_EQ(spaced.Arguments(),
            (std::vector<std::string>{"-1.5e3", "-.5"}));  // numbers, not options
  EXPECT_NO_THROW(spaced.RequireArguments(2, 2));
  EXPECT_THROW(spaced.RequireArguments(0, 1), UsageError);
  EXPECT_THROW(spaced.RequireArguments(3, 3), UsageError);
}

TEST(CommandLine, WhatItRefuses) {
  for (const std::vector<std::string>& words :
       std::vector<std::vector<std::string>>{{"--bogus"},
                                             {"-x"},
                                             {"--item"},
                                             {"--json=1"},
                                             {"--json", "--json"},
                                             {"--item=1", "--item", "2"}}) {
    EXPECT_THROW(CommandLine(words, kOptions), UsageError) << words[0];
  }
}

TEST(CommandLine, NumbersInTheCForm) {
  EXPECT_EQ(tools::ParseNumber("1.5", "v"), 1.5);
  EXPECT_EQ(tools::ParseNumber("+2e-3", "v"), 2e-3);
  EXPECT_EQ(tools::ParseNumber("-0.25", "v"), -0.25);
  for (const char* bad : {"", "1,5", "1.5x", "+-1", "nan", "inf", "1e999", " 1", "+"}) {
    EXPECT_THROW(tools::ParseNumber(bad, "v"), UsageError) << bad;
  }
  EXPECT_EQ(tools::ParseInteger("-12", "n"), -12);
  for (const char* bad : {"", "1.0", "0x10", "99999999999999999999", "3 "}) {
    EXPECT_THROW(tools::ParseInteger(bad, "n"), UsageError) << bad;
  }
}

TEST(Selection, StepRanges) {
  auto range = [](const std::string& text) {
    const kfsdump::StepRange r = kfsdump::ParseSteps(text);
    return std::make_pair(r.first, r.last);
  };
  EXPECT_EQ(range("3:7"), std::make_pair(3LL, 7LL));
  EXPECT_EQ(range("5"), std::make_pair(5LL, 5LL));
  EXPECT_EQ(range("5:"), std::make_pair(5LL, -1LL));
  EXPECT_EQ(range(":2"), std::make_pair(0LL, 2LL));
  for (const char* bad : {"", ":", "7:3", "-1", "1:-2", "a:b", "1:2:3", "1.5"}) {
    EXPECT_THROW(kfsdump::ParseSteps(bad), UsageError) << bad;
  }
}

TEST(Selection, ItemLists) {
  EXPECT_EQ(kfsdump::ParseItems("2,1,2"), (std::vector<int>{2, 1, 2}));
  for (const char* bad : {"", "0", "1,", ",1", "1,,2", "-1", "2147483648", "x"}) {
    EXPECT_THROW(kfsdump::ParseItems(bad), UsageError) << bad;
  }
}

TEST(Calendar, IsoTimes) {
  EXPECT_EQ(kfsdump::IsoTime("2024-11-01", "00:00:00", 0.0), "2024-11-01T00:00:00");
  EXPECT_EQ(kfsdump::IsoTime("2024-02-28", "23:00:00", 7200.0), "2024-02-29T01:00:00");  // leap day
  EXPECT_EQ(kfsdump::IsoTime("2100-02-28", "23:00:00", 7200.0),
            "2100-03-01T01:00:00");  // no leap day
  EXPECT_EQ(kfsdump::IsoTime("2000-01-01", "00:00:00", -0.6), "1999-12-31T23:59:59");  // rounded
  EXPECT_EQ(kfsdump::IsoTime("1970-01-01", "12:00:00", 86400.0 * 365), "1971-01-01T12:00:00");
  // What a damaged header may hold gives no text, never a wrapped date.
  EXPECT_EQ(kfsdump::IsoTime("2024-13-01", "00:00:00", 0.0), "");
  EXPECT_EQ(kfsdump::IsoTime("2024-11-01x", "00:00:00", 0.0), "");
  EXPECT_EQ(kfsdump::IsoTime("2024-11-01", "25:00:00", 0.0), "");
  EXPECT_EQ(kfsdump::IsoTime("2024-11-01", "00:00:00", 1e300), "");
  EXPECT_EQ(kfsdump::IsoTime("2024-11-01", "00:00:00", 0.0 / 0.0), "");
  EXPECT_EQ(kfsdump::IsoTime("9999-12-31", "23:59:59", 1.0), "");
  EXPECT_EQ(kfsdump::IsoTime("", "", 0.0), "");
}

std::string Written(const tools::Report& report, bool json) {
  std::FILE* file = std::tmpfile();
  json ? report.WriteJson(file) : report.WriteText(file);
  std::rewind(file);
  std::string text;
  for (int c; (c = std::fgetc(file)) != EOF;) text += static_cast<char>(c);
  std::fclose(file);
  return text;
}

TEST(Report, JsonStaysValidWhateverTheFileHolds) {
  tools::Report report = tools::Report::Object();
  report
      .Set("text", std::string("a\"b\\c\nd\x01\x7f", 10))  // the zero byte too
      .Set("latin1", "caf\xE9")
      .Set("utf8",
           "\xC2\xB0"
           "C")
      .Set("cut", "\xE2\x82")
      .Set("none", static_cast<const char*>(nullptr))
      .Set("float", 0.1f)
      .Set("double", 0.1)
      .Set("nan", 0.0 / 0.0)
      .Set("list", tools::Report::List().Add(1.0).Add(-1e-35f))
      .Set("empty", tools::Report::Object());
  EXPECT_EQ(Written(report, true),
            "{\n"
            "  \"text\": \"a\\\"b\\\\c\\nd\\u0001\\u007f\\u0000\",\n"
            "  \"latin1\": \"caf\\u00e9\",\n"
            "  \"utf8\": \"\xC2\xB0"
            "C\",\n"
            "  \"cut\": \"\\u00e2\\u0082\",\n"
            "  \"none\": null,\n"
            "  \"float\": 0.1,\n"
            "  \"double\": 0.1,\n"
            "  \"nan\": \"nan\",\n"
            "  \"list\": [1, -1e-35],\n"
            "  \"empty\": {}\n"
            "}\n");
}

TEST(Report, TextIsIndentedAndShortGroupsStayOnOneLine) {
  tools::Report item = tools::Report::Object();
  item.Set("name", "Water\tlevel")
      .Set("unit", tools::Report::Object().Set("id", 1000).Set("name", "meter"));
  tools::Report report = tools::Report::Object();
  report.Set("items", tools::Report::List().Add(std::move(item)))
      .Set("none", tools::Report::List());
  EXPECT_EQ(Written(report, false),
            "items:\n"
            "  - name: Water\\x09level\n"
            "    unit: {id: 1000, name: meter}\n"
            "none: (none)\n");
}

}  // namespace
