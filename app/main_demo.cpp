// drivo-demo: the same program with the virtual car in place of the USB car.
#include "CDrivoApp.h"

int main(int, char** argv) { return drivo::RunDrivo(argv[0], drivo::DeviceWiring::VirtualCar); }
