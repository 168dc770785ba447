#pragma once
// The application object: runs the main dialog modally and ends when it closes.
namespace drivo {

// Which car the link talks to: the real one over USB, or the virtual car of the demo.
enum class DeviceWiring { UsbCar, VirtualCar };

class CDrivoApp {
public:
    explicit CDrivoApp(DeviceWiring wiring);
    // Runs the main dialog; false, so that the program ends once it closed.
    bool InitInstance();
    DeviceWiring Wiring() const { return m_wiring; }

private:
    // Plugs the driver (libftdi or the virtual car, with its panel) into the link.
    void WireDevice();

    DeviceWiring m_wiring;
};

// The whole program: a QApplication, the application object, its InitInstance. Command-line
// arguments are not read (the toolkit gets only the program name).
int RunDrivo(const char* programName, DeviceWiring wiring);

} // namespace drivo
