// The XML document layer: path parsing, node selection, attributes,
// reference counting and the hardening of the parser.
#include <gtest/gtest.h>

#include <xercesc/dom/DOM.hpp>

#include <string>

#include "qty/CXPath.h"
#include "qty/XmlDom.h"

using MSXML2::CSmartPtr;
using MSXML2::IXMLDOMDocument;
using MSXML2::IXMLDOMNode;
using MSXML2::IXMLDOMNodeList;

namespace {

std::string Fixture(const char* name) {
  return std::string(KORACORE_SOURCE_DIR) + "/tests/data/qty/" + name;
}

TEST(XPath, ParsesTagsAttributeNamesAndValues) {
  CXPath group("//Group[@Name=\"Units\"]");
  group.Parse();
  EXPECT_EQ(group.GetTagDepth(), 1);
  EXPECT_EQ(group.GetToken(CXPathElement::eTagName), "Group");
  EXPECT_EQ(group.GetToken(CXPathElement::eAttributeName), "Name");
  EXPECT_EQ(group.GetToken(CXPathElement::eAttributeValue), "Units");
  EXPECT_EQ(group.GetTag(0), "Group");
  EXPECT_EQ(group.GetTag(5), "");

  CXPath rows("Rows/R");
  rows.Parse();
  EXPECT_EQ(rows.GetTagDepth(), 2);
  EXPECT_EQ(rows.GetTag(1), "R");
  EXPECT_EQ(rows.GetToken(CXPathElement::eAttributeName), "");

  CXPath same("//A[@A=\"A\"]");  // equal texts keep their own roles
  same.Parse();
  EXPECT_EQ(same.GetToken(CXPathElement::eAttributeName), "A");
  EXPECT_EQ(same.GetToken(CXPathElement::eAttributeValue), "A");

  CXPath unquoted("//Group[@Name=Units]");  // a value must be quoted
  unquoted.Parse();
  EXPECT_EQ(unquoted.GetToken(CXPathElement::eAttributeValue), "");
}

class XmlDocument : public ::testing::Test {
 protected:
  MSXML2::CXercesSession session;
};

TEST_F(XmlDocument, SelectSingleNodeMatchesAttributeNameAndValueTogether) {
  CSmartPtr<IXMLDOMDocument> document(new IXMLDOMDocument());
  ASSERT_TRUE(document->load(Fixture("xpath.xml").c_str()));
  const CSmartPtr<IXMLDOMNode> units = document->selectSingleNode("//Group[@Name=\"Units\"]");
  ASSERT_TRUE(units);
  EXPECT_EQ(units->getattributes()->getNamedItem("Desc")->gettext(), "Items");
  // Desc="Items" must not make the Units group match a query for Items.
  const CSmartPtr<IXMLDOMNode> items = document->selectSingleNode("//Group[@Name=\"Items\"]");
  ASSERT_TRUE(items);
  EXPECT_TRUE(items->getattributes()->getNamedItem("Desc").IsNull());
  EXPECT_FALSE(document->selectSingleNode("//Group[@Name=\"Filters\"]"));
  EXPECT_FALSE(document->selectSingleNode("//Missing"));
  EXPECT_TRUE(document->selectSingleNode("//Section"));
}

TEST_F(XmlDocument, SelectNodesWalksTheRelativePathInDocumentOrder) {
  CSmartPtr<IXMLDOMDocument> document(new IXMLDOMDocument());
  ASSERT_TRUE(document->load(Fixture("xpath.xml").c_str()));
  const CSmartPtr<IXMLDOMNode> units = document->selectSingleNode("//Group[@Name=\"Units\"]");
  ASSERT_TRUE(units);
  const CSmartPtr<IXMLDOMNodeList> rows = units->selectNodes("Rows/R");
  ASSERT_EQ(rows->getlength(), 3);
  const char* expected[] = {"1", "2", "3"};
  for (long i = 0; i < 3; ++i) {
    EXPECT_EQ(rows->Getitem(i)->getattributes()->getNamedItem("Id")->gettext(), expected[i]);
  }
  EXPECT_FALSE(rows->Getitem(3));
  EXPECT_FALSE(rows->Getitem(-1));
  EXPECT_EQ(units->selectNodes("Nothing/R")->getlength(), 0);
  const CSmartPtr<IXMLDOMNode> other = document->selectSingleNode("//Group[@Name=\"Other\"]");
  ASSERT_TRUE(other);
  EXPECT_EQ(other->selectNodes("Rows/R")->getlength(), 0);
  EXPECT_EQ(units->getname(), "Group");
}

TEST_F(XmlDocument, AttributesAndTexts) {
  CSmartPtr<IXMLDOMDocument> document(new IXMLDOMDocument());
  ASSERT_TRUE(document->load(Fixture("small.xml").c_str()));
  const CSmartPtr<IXMLDOMNode> units = document->selectSingleNode("//Group[@Name=\"Units\"]");
  ASSERT_TRUE(units);
  const CSmartPtr<IXMLDOMNodeList> rows = units->selectNodes("Rows/R");
  ASSERT_GE(rows->getlength(), 4);
  const auto attributes = rows->Getitem(3)->getattributes();
  EXPECT_EQ(attributes->getNamedItem("Abbr")->gettext(),
            "\xC2\xB0"
            "C");  // UTF-8
  EXPECT_TRUE(attributes->getNamedItem("KvId"));
  EXPECT_TRUE(attributes->getNamedItem("kvid").IsNull());  // names are exact
  EXPECT_EQ(units->gettext(), "");                         // an element has no value
  EXPECT_EQ(IXMLDOMNode::wide2cstr(u"caf\u00e9"), "caf\xC3\xA9");
  EXPECT_EQ(IXMLDOMNode::wide2cstr(nullptr), "");
}

TEST_F(XmlDocument, RefusesMissingAndBrokenFiles) {
  CSmartPtr<IXMLDOMDocument> document(new IXMLDOMDocument());
  EXPECT_FALSE(document->load(Fixture("no-such-file.xml").c_str()));
  EXPECT_FALSE(document->load(Fixture("not-well-formed.xml").c_str()));
  EXPECT_FALSE(document->selectSingleNode("//Group[@Name=\"Units\"]"));
  EXPECT_FALSE(document->load(Fixture("entity-expansion.xml").c_str()));
}

TEST_F(XmlDocument, ExternalEntitiesReadAsEmpty) {
  CSmartPtr<IXMLDOMDocument> document(new IXMLDOMDocument());
  ASSERT_TRUE(document->load(Fixture("external-entity.xml").c_str()));
  const CSmartPtr<IXMLDOMNode> note = document->selectSingleNode("//Note");
  ASSERT_TRUE(note);
  EXPECT_EQ(IXMLDOMNode::wide2cstr(note->node()->getTextContent()), "");
  EXPECT_TRUE(document->selectSingleNode("//Group[@Name=\"Units\"]"));
  // An external DTD is not fetched either.
  ASSERT_TRUE(document->load(Fixture("external-dtd.xml").c_str()));
  EXPECT_TRUE(document->selectSingleNode("//Group[@Name=\"Units\"]"));
}

TEST(SmartPtr, CountsReferences) {
  auto* node = new IXMLDOMNode(nullptr);
  {
    CSmartPtr<IXMLDOMNode> first(node);
    EXPECT_EQ(node->RefCount(), 1);
    {
      CSmartPtr<IXMLDOMNode> copy(first);
      EXPECT_EQ(node->RefCount(), 2);
      CSmartPtr<IXMLDOMNode> assigned;
      assigned = copy;
      EXPECT_EQ(node->RefCount(), 3);
      assigned = assigned;
      EXPECT_EQ(node->RefCount(), 3);
    }
    EXPECT_EQ(node->RefCount(), 1);
    EXPECT_EQ(first->gettext(), "");
    EXPECT_TRUE(first->selectNodes("A")->getlength() == 0);
  }
  // Deleted with the last pointer; the sanitizers would report a leak or a
  // double free here.
}

}  // namespace
