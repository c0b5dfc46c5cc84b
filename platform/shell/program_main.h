// The program's entry into the framework. The program defines its application object (the one
// object of a CWinApp-derived class) as a global and calls lumo_main from main: it makes the Qt
// application the window layer stands on, registers the standard controls, hands the arguments
// that Qt leaves to the application object, runs InitInstance and then the message loop until the
// main window is gone, as the framework's own entry does.
#pragma once

// The program's exit status: the message loop's result (ExitInstance's code when it gives one),
// or 1 when there is no application object or its start-up failed; a failed start-up still runs
// ExitInstance.
int lumo_main(int argc, char** argv);
