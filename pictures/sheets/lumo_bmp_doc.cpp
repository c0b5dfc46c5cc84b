#include "pictures/sheets/lumo_bmp_doc.h"

#include <filesystem>

#include "platform/base/cfile.h"
#include "platform/base/os_file.h"
#include "platform/base/temp_folder.h"

IMPLEMENT_DYNCREATE(CLumoBMPDoc, CDocument)

bool IsProgramTempFile(const CString& path) {
  const std::string& folder = base::temp_folder();
  if (folder.empty() || path.IsEmpty()) return false;
  std::error_code error;
  const std::filesystem::path file = std::filesystem::weakly_canonical(base::os_path(path), error);
  if (error) return false;
  const std::filesystem::path own = std::filesystem::weakly_canonical(folder, error);
  return !error && file.parent_path() == own;
}

CLumoBMPDoc::CLumoBMPDoc() = default;

CLumoBMPDoc::~CLumoBMPDoc() { DeleteTempFile(); }

BOOL CLumoBMPDoc::OnOpenDocument(LPCTSTR lpszPathName) {
  tempPath = lpszPathName;
  if (!LoadImage(lpszPathName)) return FALSE;
  return CDocument::OnOpenDocument(lpszPathName);
}

BOOL CLumoBMPDoc::LoadImage(LPCTSTR path) {
  image.reset();
  auto loaded = std::make_unique<CImageFile>(path, IMAGE_PNG);
  if (loaded->GetWidth() <= 0 || loaded->GetHeight() <= 0) return FALSE;
  image = std::move(loaded);
  return TRUE;
}

void CLumoBMPDoc::DeleteTempFile() {
  image.reset();
  if (IsProgramTempFile(tempPath)) base::remove_file(base::os_path(tempPath));
  tempPath.Empty();
}
