// The picture sheet's document: a picture read from a temporary PNG file copied out of the library
// title. The document owns the picture and deletes the temporary file when it goes; a file the
// program did not put in its temporary folder is never deleted.
#pragma once

#include <memory>

#include "pictures/image/image_file.h"
#include "platform/framework/document.h"

class CLumoBMPDoc : public CDocument {
  DECLARE_DYNCREATE(CLumoBMPDoc)

 public:
  CLumoBMPDoc();
  ~CLumoBMPDoc() override;

  BOOL OnOpenDocument(LPCTSTR lpszPathName) override;
  // Replaces the picture by the PNG file at `path`; false (and no picture) when it has no size.
  BOOL LoadImage(LPCTSTR path);
  // Drops the picture and deletes the temporary file it was read from.
  void DeleteTempFile();
  CImageFile* GetImage() const { return image.get(); }

  std::unique_ptr<CImageFile> image;
  CString tempPath;
  // The picture's name inside the title: six characters of the series, two of the page, ".png".
  CString pictureName;
};

// Whether `path` names a file in the program's private temporary folder.
bool IsProgramTempFile(const CString& path);
