#pragma once
// The Peripherals menu without widgets: each command's id and caption, in
// menu order, and whether only the large-package models show it. Reports
// over a whole project (problems, the command line) name and order what
// they find by these commands.

#include <array>
#include <cstddef>

namespace models {

struct PeripheralMenuItem {
    int Id;
    const char* Caption;
    bool LargePackageOnly = false;
};

inline constexpr std::array<PeripheralMenuItem, 15> kPeripheralMenu = {{
    {43002, "Port I/O"},
    {43008, "Oscillators"},
    {43007, "Timers"},
    {43016, "PCA"},
    {43004, "UART"},
    {43009, "SMBus"},
    {43006, "SPI"},
    {43010, "ADC"},
    {43001, "EMI", true},
    {43011, "Comparators"},
    {43012, "Reset Sources"},
    {43013, "Voltage Reference"},
    {43014, "Voltage Regulator"},
    {43000, "Prefetch Engine"},
    {43003, "Interrupts"},
}};

// The item of command `id`, or nullptr.
constexpr const PeripheralMenuItem* FindPeripheralMenuItem(int id) {
    for (const auto& item : kPeripheralMenu)
        if (item.Id == id) return &item;
    return nullptr;
}

// The position of command `id` in the menu; past the end for another id.
constexpr int PeripheralMenuPosition(int id) {
    for (std::size_t i = 0; i < kPeripheralMenu.size(); ++i)
        if (kPeripheralMenu[i].Id == id) return static_cast<int>(i);
    return static_cast<int>(kPeripheralMenu.size());
}

}  // namespace models
