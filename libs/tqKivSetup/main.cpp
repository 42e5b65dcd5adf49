#include "tqKivSetup/SetupApp.h"

int main(int argc, char** argv) {
    return tqKivSetup::setupMain(argc, argv);
}
