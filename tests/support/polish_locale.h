// A Polish locale for the C library's numbers (decimal comma), as Qt sets one for a Polish user,
// so tests can show that number texts do not follow it.
#pragma once

namespace lumo::test {

// Switches LC_NUMERIC to pl_PL.UTF-8. When the system has no such locale compiled it is made from
// the system's locale sources into the temporary folder; false when neither works (tests skip).
bool use_polish_numbers();

// Sets LC_NUMERIC back to "C".
void use_c_numbers();

}  // namespace lumo::test
