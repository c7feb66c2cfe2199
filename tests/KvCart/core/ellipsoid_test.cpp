// Ellipsoid values and the ellipsoid list: derived values, the equality
// tolerance, the shipped file, list order and look-up precedence, and custom
// ellipsoids written and read back.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <fstream>
#include <memory>
#include <string>

#include "KvCart/core/CKvEllipsoid.h"
#include "KvCart/core/CKvEllipsoidList.h"
#include "rcf/rcf.h"

namespace {

const std::string kDataDir = KORACORE_SOURCE_DIR "/data/";

std::string WorkFile(const std::string& name) {
  return std::string(KORACORE_TEST_WORK_DIR) + "/" + name;
}

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::string EllipsoidFile(const std::string& sections) {
  return "[ELLIPSOID_DEFINITION]\n" + sections + "EndTarget\n";
}

std::string Section(const std::string& name, const std::string& code, const std::string& a,
                    const std::string& invF) {
  return "[REF_ELLIPSOID]\nEllipsoid_Name = '" + name + "'\nID_Code = '" + code +
         "'\nSemi_Major_Axis = " + a + "\nInverse_Flatness = " + invF + "\nEndSect\n";
}

}  // namespace

TEST(Ellipsoid, DerivedValuesOfWgs84AndOfASphere) {
  CKvEllipsoid wgs84("WGS 84", "WE", 6378137.0, 298.257223563);
  EXPECT_DOUBLE_EQ(wgs84.GetMinor(), 6356752.314245179);
  EXPECT_NEAR(wgs84.GetEccentricity(), 0.0818191908426215, 1e-16);
  EXPECT_DOUBLE_EQ(wgs84.GetFlatness(), 1.0 / 298.257223563);

  for (double invF : {0.0, -1.0}) {
    CKvEllipsoid sphere("Sphere", "XY", 6371000.0, invF);
    EXPECT_EQ(sphere.GetFlatness(), 0.0);
    EXPECT_EQ(sphere.GetMinor(), 6371000.0);
    EXPECT_EQ(sphere.GetEccentricity(), 0.0);
  }
}

// A default ellipsoid must be usable by every formula: an inverse
// flattening of 1 would mean b = 0 and e = 1 (division by zero downstream).
TEST(Ellipsoid, DefaultIsAUnitSphere) {
  CKvEllipsoid ellipsoid;
  EXPECT_EQ(ellipsoid.GetName(), "");
  EXPECT_EQ(ellipsoid.GetID(), "");
  EXPECT_EQ(ellipsoid.GetMajor(), 1.0);
  EXPECT_EQ(ellipsoid.GetFlatness(), 0.0);
  EXPECT_EQ(ellipsoid.GetMinor(), 1.0);
  EXPECT_EQ(ellipsoid.GetEccentricity(), 0.0);
}

TEST(Ellipsoid, EquivalenceUsesRelativeTolerance) {
  CKvEllipsoid a("A", "AA", 6378137.0, 298.257223563);
  CKvEllipsoid close("B", "BB", 6378137.0 * (1 + 1e-13), 298.257223563);
  CKvEllipsoid apart("A", "AA", 6378137.0 * (1 + 1e-11), 298.257223563);
  EXPECT_TRUE(a.IsEquivalent(a));
  EXPECT_TRUE(a.IsEquivalent(close));  // names ignored
  EXPECT_FALSE(a.IsEquivalent(apart));
  EXPECT_FALSE(a == close);  // names differ
  EXPECT_FALSE(a == apart);
  CKvEllipsoid same("A", "AA", 6378137.0 * (1 + 1e-13), 298.257223563);
  EXPECT_TRUE(a == same);
  EXPECT_FALSE(CKvEllipsoid("A", "AA", 1, 0) == CKvEllipsoid("A ", "AA", 1, 0));
}

TEST(EllipsoidList, ShippedFileHoldsTheReferenceEllipsoidsInOrder) {
  CKvEllipsoidList list;
  ASSERT_EQ(list.ReadEllipsoids(kDataDir + "ellipsoid.rcf", false), 0);
  list.GenerateCompleteList();
  const CKvEllipsoid* wgs84 = list.GetEllipsoid("WE");
  ASSERT_NE(wgs84, nullptr);
  EXPECT_EQ(wgs84->GetName(), "WGS 84");
  EXPECT_EQ(wgs84->GetMajor(), 6378137.0);
  EXPECT_EQ(wgs84->GetInvFlatness(), 298.257223563);
  ASSERT_NE(list.GetEllipsoid("RF"), nullptr);
  EXPECT_EQ(list.GetEllipsoid("RF")->GetInvFlatness(), 298.257222101);
  ASSERT_NE(list.GetEllipsoid("XY"), nullptr);
  EXPECT_EQ(list.GetEllipsoid("XY")->GetFlatness(), 0.0);
  EXPECT_EQ(list.GetEllipsoidFromName("International 1924"), list.GetEllipsoid("IN"));

  auto begin = list.GetIteratorBegin(CKvEllipsoidList::eStandardEllipsoids);
  auto end = list.GetIteratorEnd(CKvEllipsoidList::eStandardEllipsoids);
  ASSERT_EQ(end - begin, 27);
  EXPECT_EQ((*begin)->GetID(), "AA");
  EXPECT_EQ((*(begin + 23))->GetID(), "XY");
  EXPECT_EQ((*(end - 1))->GetID(), "CB");
  EXPECT_EQ(list.GetIteratorBegin(CKvEllipsoidList::eCustomEllipsoids),
            list.GetIteratorEnd(CKvEllipsoidList::eCustomEllipsoids));
}

TEST(EllipsoidList, LookupIsExactAndStandardEntriesComeFirst) {
  std::string standard = WorkFile("standard.rcf"), custom = WorkFile("custom.rcf");
  WriteText(standard, EllipsoidFile(Section("Std", "ZZ", "6378000.0", "300.0")));
  WriteText(custom, EllipsoidFile(Section("Mine", "ZZ", "6000000.0", "0.0") +
                                  Section("Other", "QQ", "6100000.0", "250.0")));
  CKvEllipsoidList list;
  ASSERT_EQ(list.ReadEllipsoids(standard, false), 0);
  ASSERT_EQ(list.ReadEllipsoids(custom, true), 0);
  list.GenerateCompleteList();
  ASSERT_NE(list.GetEllipsoid("ZZ"), nullptr);
  EXPECT_EQ(list.GetEllipsoid("ZZ")->GetName(), "Std");
  EXPECT_EQ(list.GetEllipsoid("zz"), nullptr);  // case-sensitive
  EXPECT_EQ(list.GetEllipsoid("Q"), nullptr);   // whole code only
  EXPECT_EQ(list.GetEllipsoid(""), nullptr);
  auto all = list.GetIteratorEnd(99) - list.GetIteratorBegin(99);
  EXPECT_EQ(all, 3);
  EXPECT_EQ((*list.GetIteratorBegin(0))->GetName(), "Std");
}

TEST(EllipsoidList, CustomEllipsoidsWrittenAndReadBackEqual) {
  CKvEllipsoidList list;
  list.AddEllipsoid(new CKvEllipsoid("Bessel 'Namibia'", "BN2", 6377483.865280418, 299.1528128));
  list.AddEllipsoid(new CKvEllipsoid("Tiny sphere", "TS", 0.1, 0.0));
  list.AddEllipsoid(new CKvEllipsoid("Thirds", "T3", 6378137.0 / 3.0, 1.0 / 3.0 + 298.0));
  std::string path = WorkFile("custom_ellipsoid.rcf");
  ASSERT_EQ(list.WriteCustomEllipsoids(path), 0);

  CKvEllipsoidList reread;
  ASSERT_EQ(reread.ReadEllipsoids(path, true), 0);
  reread.GenerateCompleteList();
  auto a = list.GetIteratorBegin(CKvEllipsoidList::eCustomEllipsoids);
  auto b = reread.GetIteratorBegin(CKvEllipsoidList::eCustomEllipsoids);
  ASSERT_EQ(reread.GetIteratorEnd(2) - b, 3);
  for (; a != list.GetIteratorEnd(2); ++a, ++b) {
    EXPECT_TRUE(**a == **b) << (*a)->GetName();
    EXPECT_EQ((*a)->GetMajor(), (*b)->GetMajor());  // bit-identical, not just close
    EXPECT_EQ((*a)->GetInvFlatness(), (*b)->GetInvFlatness());
  }
}

// A parameter file cannot hold a line break or control byte in a text: the
// writer used to drop such a name or code without a word (the entry came
// back nameless). It now writes a blank in place of each such byte.
TEST(EllipsoidList, TextsTheFileCannotHoldAreWrittenWithBlanks) {
  CKvEllipsoidList list;
  list.AddEllipsoid(new CKvEllipsoid("Two\nlines", "C\r1", 6378000.0, 300.0));
  list.AddEllipsoid(new CKvEllipsoid("Tab\tkept", "T1", 6378001.0, 301.0));
  std::string path = WorkFile("custom_control_bytes.rcf");
  ASSERT_EQ(list.WriteCustomEllipsoids(path), 0);

  CKvEllipsoidList reread;
  ASSERT_EQ(reread.ReadEllipsoids(path, true), 0);
  reread.GenerateCompleteList();
  ASSERT_EQ(reread.GetIteratorEnd(2) - reread.GetIteratorBegin(2), 2);
  const CKvEllipsoid* first = *reread.GetIteratorBegin(2);
  EXPECT_EQ(first->GetName(), "Two lines");
  EXPECT_EQ(first->GetID(), "C 1");
  EXPECT_EQ(first->GetMajor(), 6378000.0);
  EXPECT_EQ(reread.GetEllipsoidFromName("Tab\tkept")->GetID(), "T1");
}

TEST(EllipsoidList, DeleteAndEditTouchOnlyCustomEntries) {
  std::string standard = WorkFile("std_only.rcf");
  WriteText(standard, EllipsoidFile(Section("Std", "SS", "6378000.0", "300.0")));
  CKvEllipsoidList list;
  list.ReadEllipsoids(standard, false);
  list.GenerateCompleteList();
  auto* mine = new CKvEllipsoid("Mine", "MM", 6000000.0, 0.0);
  list.AddEllipsoid(mine);
  EXPECT_EQ(list.GetEllipsoid("MM"), mine);

  mine->SetID("M2");
  list.EditEllipsoid(mine);
  EXPECT_EQ(list.GetEllipsoid("M2"), mine);

  list.DeleteEllipsoid(list.GetEllipsoid("SS"));  // a standard entry stays
  EXPECT_NE(list.GetEllipsoid("SS"), nullptr);
  list.DeleteEllipsoid(nullptr);
  list.DeleteEllipsoid(mine);
  EXPECT_EQ(list.GetEllipsoid("M2"), nullptr);
  EXPECT_EQ(list.GetIteratorEnd(0) - list.GetIteratorBegin(0), 1);
}

TEST(EllipsoidList, UnreadableFilesAddNothingAndReportTheStatus) {
  CKvEllipsoidList list;
  EXPECT_EQ(list.ReadEllipsoids(WorkFile("missing.rcf"), false), RCF_ERR_OPEN);
  std::string broken = WorkFile("broken.rcf");
  WriteText(broken, "[ELLIPSOID_DEFINITION]\n[REF_ELLIPSOID]\nID_Code = 'X\nEndSect\nEndTarget\n");
  EXPECT_EQ(list.ReadEllipsoids(broken, false), RCF_ERR_UNTERMINATED_QUOTE);
  std::string otherTarget = WorkFile("other.rcf");
  WriteText(otherTarget, "[SOMETHING]\n" + Section("X", "X", "1.0", "0.0") + "EndTarget\n");
  EXPECT_EQ(list.ReadEllipsoids(otherTarget, false), 0);
  // A section with a text where a number belongs keeps the number at 0.
  std::string textNumber = WorkFile("text_number.rcf");
  WriteText(textNumber, EllipsoidFile(Section("T", "T", "'big'", "300.0")));
  EXPECT_EQ(list.ReadEllipsoids(textNumber, false), 0);
  list.GenerateCompleteList();
  ASSERT_EQ(list.GetIteratorEnd(0) - list.GetIteratorBegin(0), 1);
  EXPECT_EQ(list.GetEllipsoid("T")->GetMajor(), 0.0);
}

// Numbers in the files are read and written with a decimal point whatever
// the process locale; under a decimal comma nothing may change.
TEST(EllipsoidList, FilesAreLocaleIndependent) {
  std::string previous = std::setlocale(LC_ALL, nullptr);
  if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "de_DE.UTF-8 not installed";
  struct Restore {
    std::string locale;
    ~Restore() { std::setlocale(LC_ALL, locale.c_str()); }
  } restore{previous};
  CKvEllipsoidList list;
  ASSERT_EQ(list.ReadEllipsoids(kDataDir + "ellipsoid.rcf", false), 0);
  list.GenerateCompleteList();
  ASSERT_NE(list.GetEllipsoid("WE"), nullptr);
  EXPECT_EQ(list.GetEllipsoid("WE")->GetInvFlatness(), 298.257223563);
  list.AddEllipsoid(new CKvEllipsoid("Komma", "KK", 6378137.5, 298.25));
  std::string path = WorkFile("locale.rcf");
  ASSERT_EQ(list.WriteCustomEllipsoids(path), 0);
  CKvEllipsoidList reread;
  ASSERT_EQ(reread.ReadEllipsoids(path, true), 0);
  reread.GenerateCompleteList();
  ASSERT_NE(reread.GetEllipsoid("KK"), nullptr);
  EXPECT_EQ(reread.GetEllipsoid("KK")->GetMajor(), 6378137.5);
  EXPECT_EQ(reread.GetEllipsoid("KK")->GetInvFlatness(), 298.25);
}
