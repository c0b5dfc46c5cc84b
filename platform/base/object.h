// The framework's run-time class base: CObject, CRuntimeClass and the class registry.
//
// Every class that an archive may load is registered by name when its translation unit starts
// (IMPLEMENT_SERIAL / IMPLEMENT_DYNCREATE); loading creates objects only through that registry,
// so a stored class name can never make the program build anything it does not know.
//
//   class CMyThing : public CObject {
//     DECLARE_SERIAL(CMyThing)
//    public:
//     void Serialize(CArchive& ar) override;
//   };
//   IMPLEMENT_SERIAL(CMyThing, CObject, 1)      // in the .cpp
//
// The class must be linked into the program for its registration to run: a class that only a
// stored file names is referenced from code elsewhere anyway (its users create or cast to it).
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

class CArchive;
class CObject;

// Schema bit of a class that reads several versions of its own form: loading accepts any stored
// schema and hands it to Serialize through CArchive::GetObjectSchema.
inline constexpr uint32_t VERSIONABLE_SCHEMA = 0x80000000u;
// Schema of a class that is dynamic or creatable but not serialisable.
inline constexpr uint32_t kNoSchema = 0xFFFFu;

struct CRuntimeClass {
  const char* m_lpszClassName;
  uint32_t m_wSchema;                               // kNoSchema when not serialisable
  std::unique_ptr<CObject> (*m_pfnCreateObject)();  // null when not dynamically creatable
  const CRuntimeClass* m_pBaseClass;                // null only for CObject

  // A new object of this class, or null when the class is not creatable.
  std::unique_ptr<CObject> CreateObject() const;
  bool IsDerivedFrom(const CRuntimeClass* base) const;
  bool IsSerializable() const { return m_wSchema != kNoSchema && m_pfnCreateObject; }

  // The registered class of that exact name, or null.
  static const CRuntimeClass* FromName(std::string_view name);
};

// Adds a class to the registry by name; made by the IMPLEMENT_ macros, one per class. A second
// class of a name already taken is not registered (the first one stays).
struct CRuntimeClassRegistrar {
  explicit CRuntimeClassRegistrar(const CRuntimeClass* cls);
};

class CObject {
 public:
  virtual ~CObject() = default;
  virtual const CRuntimeClass* GetRuntimeClass() const;
  // Base does nothing: a class with stored state overrides it.
  virtual void Serialize(CArchive& ar);

  bool IsKindOf(const CRuntimeClass* cls) const;
  bool IsSerializable() const { return GetRuntimeClass()->IsSerializable(); }

  static const CRuntimeClass classCObject;
  static const CRuntimeClass* GetThisClass() { return &classCObject; }

 protected:
  CObject() = default;
  CObject(const CObject&) = default;
  CObject& operator=(const CObject&) = default;
};

#define RUNTIME_CLASS(class_name) (&class_name::class##class_name)

#define DECLARE_DYNAMIC(class_name)                                   \
 public:                                                              \
  static const CRuntimeClass class##class_name;                       \
  static const CRuntimeClass* GetThisClass() { return &class##class_name; } \
  const CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(class_name) \
  DECLARE_DYNAMIC(class_name)         \
  static std::unique_ptr<CObject> CreateObject();

#define DECLARE_SERIAL(class_name) DECLARE_DYNCREATE(class_name)

#define LUMO_IMPLEMENT_RUNTIMECLASS(class_name, base_name, schema, create)                     \
  const CRuntimeClass class_name::class##class_name = {#class_name, schema, create,             \
                                                       RUNTIME_CLASS(base_name)};               \
  const CRuntimeClass* class_name::GetRuntimeClass() const { return &class##class_name; }       \
  static const CRuntimeClassRegistrar lumo_registrar_##class_name(RUNTIME_CLASS(class_name));

#define IMPLEMENT_DYNAMIC(class_name, base_name) \
  LUMO_IMPLEMENT_RUNTIMECLASS(class_name, base_name, kNoSchema, nullptr)

#define LUMO_IMPLEMENT_CREATE(class_name)                                                      \
  std::unique_ptr<CObject> class_name::CreateObject() { return std::make_unique<class_name>(); }

#define IMPLEMENT_DYNCREATE(class_name, base_name) \
  LUMO_IMPLEMENT_CREATE(class_name)                \
  LUMO_IMPLEMENT_RUNTIMECLASS(class_name, base_name, kNoSchema, &class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_name, schema) \
  LUMO_IMPLEMENT_CREATE(class_name)                     \
  LUMO_IMPLEMENT_RUNTIMECLASS(class_name, base_name, schema, &class_name::CreateObject)
