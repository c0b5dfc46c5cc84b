// Resources of pictures, sounds and media (picture sheets, image and media windows): strings, dialog templates, menus and images added to the resource store.
// Each piece of the area adds its tables from its own register routine, called from here.
#include "resources/program_resources.h"
#include "resources/pictures_ids.h"

namespace resources {

void register_pictures_sounds();
void register_picture_sheets();

void register_pictures_resources() {
  register_pictures_sounds();
  register_picture_sheets();
}

}  // namespace resources
