// The setup program's entry: mode dispatch and the start-up of the wizard.
//
// The first argument alone chooses the mode: "-helper" (the privileged helper), "-uri" and a
// URL (the URL forwarder), or anything else (the wizard, whose arguments are all configuration
// parameters). A plat::Exception that reaches the top is logged on "SetupApp" with its tag,
// shown without it, and ends the program with status 1.
#pragma once

namespace tqKivSetup {

// The program's main: returns the process's exit status.
int setupMain(int argc, char** argv);

}  // namespace tqKivSetup
