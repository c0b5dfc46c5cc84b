#include "platform/base/archive.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using Bytes = std::vector<uint8_t>;

// A stored class with a schema, a number, a name and an optional link to another object.
class CTestNode : public CObject {
  DECLARE_SERIAL(CTestNode)
 public:
  int32_t number = 0;
  std::string name;
  std::shared_ptr<CObject> link;
  const CObject* link_to_store = nullptr;

  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      ar << number << name;
      ar.WriteObject(link_to_store);
    } else {
      ar >> number >> name;
      link = ar.ReadObject(RUNTIME_CLASS(CTestNode));
    }
  }
};
IMPLEMENT_SERIAL(CTestNode, CObject, 2)

// A class that reads every schema it is given and remembers which one.
class CTestVersioned : public CObject {
  DECLARE_SERIAL(CTestVersioned)
 public:
  uint32_t seen_schema = 0;
  void Serialize(CArchive& ar) override {
    if (ar.IsLoading()) seen_schema = ar.GetObjectSchema();
  }
};
IMPLEMENT_SERIAL(CTestVersioned, CObject, VERSIONABLE_SCHEMA | 3)

// Creatable but not stored.
class CTestDynamic : public CObject {
  DECLARE_DYNCREATE(CTestDynamic)
};
IMPLEMENT_DYNCREATE(CTestDynamic, CObject)

Bytes stored(const std::function<void(CArchive&)>& write) {
  CArchive ar;
  write(ar);
  return ar.TakeBytes();
}

CArchiveException::Cause load_failure(const Bytes& bytes, const std::function<void(CArchive&)>& read) {
  CArchive ar(bytes);
  try {
    read(ar);
  } catch (const CArchiveException& e) {
    return e.m_cause;
  }
  return CArchiveException::none;
}

TEST(Archive, PrimitivesAreLittleEndianAndRoundTrip) {
  Bytes b = stored([](CArchive& ar) {
    ar << uint8_t(0x12) << uint16_t(0x3456) << int32_t(-2) << uint32_t(0x89ABCDEF)
       << int64_t(-3) << float(1.5f) << double(-0.25) << int16_t(-300) << char('x');
  });
  Bytes expect_head = {0x12, 0x56, 0x34, 0xFE, 0xFF, 0xFF, 0xFF, 0xEF, 0xCD, 0xAB, 0x89};
  ASSERT_EQ(b.size(), 1u + 2 + 4 + 4 + 8 + 4 + 8 + 2 + 1);
  EXPECT_TRUE(std::equal(expect_head.begin(), expect_head.end(), b.begin()));
  EXPECT_EQ(b[19], 0x00);  // float 1.5 is 0x3FC00000
  EXPECT_EQ(b[22], 0x3F);

  CArchive ar(b);
  uint8_t u8;
  uint16_t u16;
  int32_t i32;
  uint32_t u32;
  int64_t i64;
  float f;
  double d;
  int16_t i16;
  char c;
  ar >> u8 >> u16 >> i32 >> u32 >> i64 >> f >> d >> i16 >> c;
  EXPECT_EQ(u8, 0x12);
  EXPECT_EQ(u16, 0x3456);
  EXPECT_EQ(i32, -2);
  EXPECT_EQ(u32, 0x89ABCDEFu);
  EXPECT_EQ(i64, -3);
  EXPECT_EQ(f, 1.5f);
  EXPECT_EQ(d, -0.25);
  EXPECT_EQ(i16, -300);
  EXPECT_EQ(c, 'x');
  EXPECT_EQ(ar.Remaining(), 0u);
}

TEST(Archive, StringLengthForms) {
  struct Case {
    size_t length;
    Bytes prefix;
  } cases[] = {
      {0, {0x00}},
      {254, {0xFE}},
      {255, {0xFF, 0xFF, 0x00}},
      {0xFFFD, {0xFF, 0xFD, 0xFF}},
      {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
      {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
  };
  for (const auto& c : cases) {
    std::string text(c.length, '\xB9');  // 'ą'
    Bytes b = stored([&](CArchive& ar) { ar << text; });
    ASSERT_EQ(b.size(), c.prefix.size() + c.length) << c.length;
    EXPECT_TRUE(std::equal(c.prefix.begin(), c.prefix.end(), b.begin())) << c.length;
    CArchive ar(b);
    CString back;
    ar >> back;
    EXPECT_EQ(back.str(), text) << c.length;
  }
}

TEST(Archive, Utf16MarkedStringsReadAsCp1250) {
  // "Łódź" marked as UTF-16: 0xFF, 0xFFFE, then the length form again, then the units.
  Bytes b = {0xFF, 0xFE, 0xFF, 0x04, 0x41, 0x01, 0xF3, 0x00, 0x64, 0x00, 0x7A, 0x01};
  CArchive ar(b);
  EXPECT_EQ(ar.ReadString(), "\xA3\xF3" "d\x9F");
  // A marked string whose units run past the end fails cleanly.
  Bytes cut = {0xFF, 0xFE, 0xFF, 0x05, 0x41, 0x01};
  EXPECT_EQ(load_failure(cut, [](CArchive& a) { a.ReadString(); }), CArchiveException::endOfFile);
}

TEST(Archive, CountForms) {
  Bytes small = stored([](CArchive& ar) { ar.WriteCount(3); });
  EXPECT_EQ(small, (Bytes{0x03, 0x00}));
  Bytes big = stored([](CArchive& ar) { ar.WriteCount(0x12345); });
  EXPECT_EQ(big, (Bytes{0xFF, 0xFF, 0x45, 0x23, 0x01, 0x00}));
  // A count that the remaining bytes cannot hold is refused before any element is read.
  EXPECT_EQ(load_failure(big, [](CArchive& a) { a.ReadCount(); }), CArchiveException::endOfFile);
  Bytes fits = {0x02, 0x00, 0xAA, 0xBB};
  CArchive ar(fits);
  EXPECT_EQ(ar.ReadCount(), 2u);
}

TEST(Archive, ObjectsRoundTripWithBackReferences) {
  CTestNode a, b;
  a.number = 7;
  a.name = "pierwszy";
  b.number = -1;
  b.name = "drugi";
  b.link_to_store = &a;  // b's form refers back to a
  Bytes bytes = stored([&](CArchive& ar) {
    ar.WriteObject(&a);
    ar.WriteObject(&b);
    ar.WriteObject(nullptr);
    ar.WriteObject(&b);
  });
  // a: new class tag, schema 2, the name "CTestNode"; then its form, ending in a null link.
  EXPECT_EQ(bytes[0], 0xFF);
  EXPECT_EQ(bytes[1], 0xFF);
  EXPECT_EQ(bytes[2], 2);
  // b: the class by reference (index 1 with the class bit).
  size_t b_at = 2 + 2 + 2 + 9 + 4 + 1 + 8 + 2;
  EXPECT_EQ(bytes[b_at], 0x01);
  EXPECT_EQ(bytes[b_at + 1], 0x80);

  CArchive ar(bytes);
  auto ra = ar.ReadObjectOf<CTestNode>();
  auto rb = ar.ReadObjectOf<CTestNode>();
  auto none = ar.ReadObject(nullptr);
  auto rb_again = ar.ReadObject(RUNTIME_CLASS(CObject));
  ASSERT_TRUE(ra && rb);
  EXPECT_EQ(ra->number, 7);
  EXPECT_EQ(ra->name, "pierwszy");
  EXPECT_EQ(ra->link, nullptr);
  EXPECT_EQ(rb->name, "drugi");
  EXPECT_EQ(rb->link, ra);
  EXPECT_EQ(none, nullptr);
  EXPECT_EQ(rb_again, rb);
  EXPECT_EQ(ar.Remaining(), 0u);
}

TEST(Archive, LargeIndexFormsRoundTrip) {
  // More objects than the small tag holds: later back-references need the 32-bit form.
  std::vector<CTestNode> nodes(0x8005);
  for (size_t i = 0; i < nodes.size(); ++i) nodes[i].number = int32_t(i);
  CTestVersioned late_class;
  Bytes bytes = stored([&](CArchive& ar) {
    for (const auto& n : nodes) ar.WriteObject(&n);
    ar.WriteObject(&nodes.back());
    ar.WriteObject(&late_class);
    ar.WriteObject(&late_class);
    CTestVersioned another;
    ar.WriteObject(&another);  // its class by a big class reference
  });
  CArchive ar(bytes);
  std::vector<std::shared_ptr<CTestNode>> read;
  for (size_t i = 0; i < nodes.size(); ++i) read.push_back(ar.ReadObjectOf<CTestNode>());
  EXPECT_EQ(read[0x8004]->number, 0x8004);
  EXPECT_EQ(ar.ReadObjectOf<CTestNode>(), read.back());
  auto v = ar.ReadObjectOf<CTestVersioned>();
  EXPECT_EQ(ar.ReadObjectOf<CTestVersioned>(), v);
  auto w = ar.ReadObjectOf<CTestVersioned>();
  ASSERT_TRUE(w);
  EXPECT_NE(w, v);
  EXPECT_EQ(w->seen_schema, 3u);
  EXPECT_EQ(ar.Remaining(), 0u);
}

// A new class tag naming `name` with `schema`, then whatever follows.
Bytes class_tag(std::string_view name, uint16_t schema, Bytes tail = {}) {
  Bytes b = {0xFF, 0xFF, uint8_t(schema), uint8_t(schema >> 8), uint8_t(name.size()), 0};
  b.insert(b.end(), name.begin(), name.end());
  b.insert(b.end(), tail.begin(), tail.end());
  return b;
}

TEST(Archive, DamagedObjectStreamsFailCleanly) {
  Bytes node_form = {1, 0, 0, 0, 0, 0x00, 0x00};  // number 1, empty name, no link
  struct Case {
    const char* what;
    Bytes bytes;
    CArchiveException::Cause cause;
  } cases[] = {
      {"unknown class", class_tag("CNoSuchClass", 1), CArchiveException::badClass},
      {"class that is not stored", class_tag("CTestDynamic", 0xFFFF), CArchiveException::badClass},
      {"the base class itself", class_tag("CObject", 0xFFFF), CArchiveException::badClass},
      {"schema of another version", class_tag("CTestNode", 1, node_form), CArchiveException::badSchema},
      {"back-reference past the table", {0x05, 0x00}, CArchiveException::badIndex},
      {"big back-reference past the table", {0xFF, 0x7F, 0x00, 0x00, 0x01, 0x00}, CArchiveException::badIndex},
      {"class reference to nothing", {0x03, 0x80}, CArchiveException::badIndex},
      {"class reference to index 0", {0x00, 0x80}, CArchiveException::badIndex},
      {"overlong class name", {0xFF, 0xFF, 0x01, 0x00, 0xFF, 0x00}, CArchiveException::badClass},
      {"empty input", {}, CArchiveException::endOfFile},
      {"name cut short", {0xFF, 0xFF, 0x02, 0x00, 0x09, 0x00, 'C', 'T'}, CArchiveException::endOfFile},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(load_failure(c.bytes, [](CArchive& ar) { ar.ReadObject(nullptr); }), c.cause) << c.what;
  }
  // An object reference where a class reference belongs, and a class where an object belongs.
  Bytes object_then_class_ref = class_tag("CTestNode", 2, node_form);
  object_then_class_ref.insert(object_then_class_ref.end(), {0x02, 0x80});
  EXPECT_EQ(load_failure(object_then_class_ref,
                         [](CArchive& ar) { ar.ReadObject(nullptr), ar.ReadObject(nullptr); }),
            CArchiveException::badIndex);
  Bytes ref_to_class = class_tag("CTestNode", 2, node_form);
  ref_to_class.insert(ref_to_class.end(), {0x01, 0x00});
  EXPECT_EQ(load_failure(ref_to_class, [](CArchive& ar) { ar.ReadObject(nullptr), ar.ReadObject(nullptr); }),
            CArchiveException::badIndex);
  // An object of another class than the one asked for.
  EXPECT_EQ(load_failure(class_tag("CTestVersioned", 3),
                         [](CArchive& ar) { ar.ReadObject(RUNTIME_CLASS(CTestNode)); }),
            CArchiveException::badClass);
}

TEST(Archive, EveryTruncationOfAValidStreamFails) {
  CTestNode a, b;
  a.name = "akt";
  b.link_to_store = &a;
  Bytes bytes = stored([&](CArchive& ar) {
    ar.WriteObject(&a);
    ar.WriteObject(&b);
    ar << std::string(300, 'x');
  });
  for (size_t n = 0; n < bytes.size(); ++n) {
    Bytes cut(bytes.begin(), bytes.begin() + n);
    auto cause = load_failure(cut, [](CArchive& ar) {
      ar.ReadObject(nullptr);
      ar.ReadObject(nullptr);
      ar.ReadString();
    });
    EXPECT_EQ(cause, CArchiveException::endOfFile) << n;
  }
}

TEST(Archive, DeepNestingIsBounded) {
  // Each object's link is a new object of the same class, far deeper than any stored form.
  Bytes bytes = class_tag("CTestNode", 2, {0, 0, 0, 0, 0});
  for (int i = 0; i < 5000; ++i) bytes.insert(bytes.end(), {0x01, 0x80, 0, 0, 0, 0, 0});
  EXPECT_EQ(load_failure(bytes, [](CArchive& ar) { ar.ReadObject(nullptr); }), CArchiveException::generic);
}

TEST(Archive, ModeMismatchesAreErrors) {
  Bytes none;
  CArchive loading(none);
  EXPECT_THROW(loading << uint8_t(1), CArchiveException);
  CArchive storing;
  uint8_t v;
  EXPECT_THROW(storing >> v, CArchiveException);
  CTestDynamic dynamic;
  EXPECT_THROW(storing.WriteObject(&dynamic), CArchiveException);
}

TEST(RuntimeClass, RegistryAndKinds) {
  EXPECT_EQ(CRuntimeClass::FromName("CTestNode"), RUNTIME_CLASS(CTestNode));
  EXPECT_EQ(CRuntimeClass::FromName("CObject"), RUNTIME_CLASS(CObject));
  EXPECT_EQ(CRuntimeClass::FromName("ctestnode"), nullptr);
  auto made = RUNTIME_CLASS(CTestDynamic)->CreateObject();
  ASSERT_TRUE(made);
  EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(CObject)));
  EXPECT_FALSE(made->IsKindOf(RUNTIME_CLASS(CTestNode)));
  EXPECT_FALSE(made->IsSerializable());
  EXPECT_EQ(RUNTIME_CLASS(CObject)->CreateObject(), nullptr);
}

}  // namespace
