// drivo: the program, talking to a car on USB.
#include "CDrivoApp.h"

int main(int, char** argv) { return drivo::RunDrivo(argv[0], drivo::DeviceWiring::UsbCar); }
