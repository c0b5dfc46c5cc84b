// The program: the application object and the entry that runs it.
#include "platform/shell/program_main.h"
#include "resources/program_resources.h"
#include "shell/lumo_app.h"

// The one application object, made before the program's entry as the framework expects.
CLumoApp theApp;

int main(int argc, char** argv) {
  resources::register_program_resources();
  return lumo_main(argc, argv);
}
