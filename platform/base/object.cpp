#include "platform/base/object.h"

#include <map>
#include <string>

namespace {

// Registered classes by name. A function-local table, so registrars of other translation units
// may run in any order during start-up.
std::map<std::string, const CRuntimeClass*, std::less<>>& class_table() {
  static std::map<std::string, const CRuntimeClass*, std::less<>> table;
  return table;
}

const CRuntimeClassRegistrar object_registrar(&CObject::classCObject);

}  // namespace

const CRuntimeClass CObject::classCObject = {"CObject", kNoSchema, nullptr, nullptr};

std::unique_ptr<CObject> CRuntimeClass::CreateObject() const {
  return m_pfnCreateObject ? m_pfnCreateObject() : nullptr;
}

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
  for (const CRuntimeClass* c = this; c; c = c->m_pBaseClass)
    if (c == base) return true;
  return false;
}

const CRuntimeClass* CRuntimeClass::FromName(std::string_view name) {
  const auto& table = class_table();
  auto it = table.find(name);
  return it == table.end() ? nullptr : it->second;
}

CRuntimeClassRegistrar::CRuntimeClassRegistrar(const CRuntimeClass* cls) {
  class_table().emplace(cls->m_lpszClassName, cls);
}

const CRuntimeClass* CObject::GetRuntimeClass() const { return &classCObject; }

void CObject::Serialize(CArchive&) {}

bool CObject::IsKindOf(const CRuntimeClass* cls) const { return GetRuntimeClass()->IsDerivedFrom(cls); }
