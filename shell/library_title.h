// The one open library title of the process: the work opens and closes it, and every part of the
// application that reads the library reads it through this handle (null while none is open).
#pragma once

#include "engine/title/title.h"

title::TitleHandle* LibraryTitle();
void SetLibraryTitle(title::TitleHandle* title);
