#pragma once
// Menu command ids of the Peripherals menu and the module's tools.

namespace cmd {
inline constexpr int PrefetchEngine = 43000;
inline constexpr int Emi = 43001;
inline constexpr int PortIO = 43002;
inline constexpr int Interrupts = 43003;
inline constexpr int Uart = 43004;
inline constexpr int Spi = 43006;
inline constexpr int Timers = 43007;
inline constexpr int Oscillators = 43008;
inline constexpr int Smbus = 43009;
inline constexpr int Adc = 43010;
inline constexpr int Comparators = 43011;
inline constexpr int ResetSources = 43012;
inline constexpr int VoltageReference = 43013;
inline constexpr int VoltageRegulator = 43014;
inline constexpr int ResetAll = 43015;
inline constexpr int Pca = 43016;
// Tools > Pin Planner...
inline constexpr int PinPlanner = 43040;
}  // namespace cmd
