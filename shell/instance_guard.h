// One running program per user. The first start holds the instance lock (named after the main
// window's class) and registers that class; a later start hands the work it was asked to open to
// the first over the local socket and ends, and the first brings its window forward and opens it.
#pragma once

#include <memory>
#include <string>

#include "platform/base/cstring.h"
#include "platform/base/win_types.h"

namespace shell {
class SingleInstance;
}

class CInstanceGuard {
 public:
  CInstanceGuard();
  ~CInstanceGuard();
  CInstanceGuard(const CInstanceGuard&) = delete;
  CInstanceGuard& operator=(const CInstanceGuard&) = delete;

  // The class name is the first line of string `nIDString` followed by " Class". TRUE for the
  // first start (the class is then registered); FALSE for a later one, after handing `work`
  // (empty: none) to the first, or when the class cannot be registered (after saying so).
  BOOL RegisterMainClass(UINT nIDString, const CString& work = CString());
  const CString& GetClassName() const { return m_strClassName; }
  // Keeps separate sets of programs apart (test runs); empty by default.
  void SetScope(const std::string& scope) { m_scope = scope; }
  BOOL IsHeld() const { return m_instance != nullptr; }

 private:
  CString m_strClassName;
  std::string m_scope;
  std::unique_ptr<shell::SingleInstance> m_instance;
};
