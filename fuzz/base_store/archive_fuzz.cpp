// Loads objects, strings and counts from an untrusted archive until it fails or ends.
#include "platform/base/archive.h"

namespace {

// A stored class whose form holds numbers, a string and further objects, so that nesting,
// back-references and class references are all reached.
class CFuzzItem : public CObject {
  DECLARE_SERIAL(CFuzzItem)
 public:
  void Serialize(CArchive& ar) override {
    int32_t number;
    std::string text;
    ar >> number >> text;
    uint32_t n = ar.ReadCount();
    for (uint32_t i = 0; i < n && i < 4; ++i) children.push_back(ar.ReadObject(RUNTIME_CLASS(CFuzzItem)));
  }
  std::vector<std::weak_ptr<CObject>> children;
};
IMPLEMENT_SERIAL(CFuzzItem, CObject, 1)

class CFuzzVersioned : public CObject {
  DECLARE_SERIAL(CFuzzVersioned)
 public:
  void Serialize(CArchive& ar) override {
    if (ar.GetObjectSchema() > 2) {
      double d;
      ar >> d;
    }
  }
};
IMPLEMENT_SERIAL(CFuzzVersioned, CObject, VERSIONABLE_SCHEMA | 2)

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CArchive ar({data, size});
  try {
    while (ar.Remaining()) {
      uint8_t what;
      ar >> what;
      switch (what % 4) {
        case 0: ar.ReadObject(nullptr); break;
        case 1: ar.ReadString(); break;
        case 2: ar.ReadCount(); break;
        default: ar.ReadClass(nullptr); break;
      }
    }
  } catch (const CArchiveException&) {
  }
  return 0;
}
