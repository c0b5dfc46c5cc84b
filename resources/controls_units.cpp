// Strings of the length units: the abbreviations shown after a length.
#include "resources/controls_ids.h"
#include "resources/program_resources.h"

namespace resources {

void register_controls_units() {
  static const res::StringResource strings[] = {
      {IDS_UNIT_INCH_MARK, "\""}, {IDS_UNIT_IN, "in"},         {IDS_UNIT_INCH, "inch"}, {IDS_UNIT_INCHES, "inches"},
      {IDS_UNIT_CENTIMETRE, "cm"}, {IDS_UNIT_POINT, "pt"},     {IDS_UNIT_PICA, "pi"},
  };
  res::add_strings(strings);
}

}  // namespace resources
