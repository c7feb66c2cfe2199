// Every status code of the three libraries has a line of English of its
// own, and a code that is none still gets a text.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "kfs/container/kfs.h"
#include "qty/qty.h"
#include "rcf/rcf.h"

namespace {

template <class Text>
void ExpectDistinctTexts(const std::vector<int>& codes, Text text, const char* unknown) {
  std::set<std::string> seen;
  for (int code : codes) {
    const char* t = text(code);
    ASSERT_NE(t, nullptr) << code;
    EXPECT_NE(std::string(t), "") << code;
    EXPECT_NE(std::string(t), unknown) << code << " has no text of its own";
    EXPECT_TRUE(seen.insert(t).second) << code << " shares its text: " << t;
  }
}

std::vector<int> Range(int first, int last) {
  std::vector<int> codes;
  for (int c = first; c <= last; ++c) codes.push_back(c);
  return codes;
}

TEST(ErrorText, EveryKfsCodeHasItsOwnText) {
  std::vector<int> codes = {kfsOK, kfsEndOfFile, kfsErrNullArgument};
  for (int c : Range(kfsErrMemory, kfsErrUnit)) codes.push_back(c);
  const char* unknown = "unknown kfs status code";
  ExpectDistinctTexts(
      codes, [](int c) { return kfsErrorText(static_cast<unsigned int>(c)); }, unknown);
  EXPECT_STREQ(kfsErrorText(2021), unknown);
  EXPECT_STREQ(kfsErrorText(999), unknown);
  EXPECT_STREQ(kfsErrorText(kfsErrSeek), "seek failed");
}

TEST(ErrorText, EveryQtyCodeHasItsOwnText) {
  std::vector<int> codes = {qtyFailed, qtySucceeded};
  for (int c : Range(qtyErrUnknownUnit, qtyErrMemory)) codes.push_back(c);
  const char* unknown = "unknown qty status code";
  ExpectDistinctTexts(codes, qtyErrorText, unknown);
  EXPECT_STREQ(qtyErrorText(-1), unknown);
  EXPECT_STREQ(qtyErrorText(3014), unknown);
}

TEST(ErrorText, EveryRcfCodeHasItsOwnText) {
  std::vector<int> codes = {RCF_OK};
  for (int c : Range(RCF_ERR_OPEN, RCF_ERR_WRITE)) codes.push_back(c);
  for (int c : Range(RCF_ERR_EMPTY, RCF_ERR_UNTERMINATED_TARGET)) codes.push_back(c);
  for (int c : Range(RCF_ERR_ARGUMENT, RCF_ERR_NO_MEMORY)) codes.push_back(c);
  ExpectDistinctTexts(codes, rcfErrorText, "unknown error code");
}

}  // namespace
