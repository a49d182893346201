#pragma once
// SPI0: enable, master or slave, clock phase and polarity, wire mode with the
// NSS level, and the SCK divider with its calculator. A switch between
// three-wire and four-wire operation is refused while SPI0 is on the
// crossbar, since it would renumber the crossbar pins.

#include <cstdint>

#include "pages/serial/CSerialPropPage.h"

// The message of a refused wire-mode change.
inline constexpr const char* kWireModeMessage =
    "Error:\n\n"
    "To change a wire mode, disable the  \n"
    "SPI in the Port I/O Dialog.Once it  \n"
    "is disabled you can change wire  \n"
    "modes in the SPI Dialog. This is so  \n"
    "the pins do not get misnumbered in  \n"
    "the Crossbar.";

class CSpi0PropPage : public CSerialPropPage {
    Q_OBJECT
public:
    // Control ids.
    static constexpr int kSlave = 11234;
    static constexpr int kMaster = 11235;
    static constexpr int kFirstEdge = 11236;
    static constexpr int kSecondEdge = 11237;
    static constexpr int kChangeSck = 11238;
    static constexpr int kSck = 11239;
    static constexpr int kIdleLow = 11240;
    static constexpr int kIdleHigh = 11241;
    static constexpr int kEnable = 11242;
    static constexpr int kThreeWire = 11243;
    static constexpr int kFourWire = 11244;
    static constexpr int kSingleMaster = 11245;
    static constexpr int kNss = 11246;
    static constexpr int kDivider = 11248;
    static constexpr int kConfigureInterrupts = 11249;
    static constexpr int kInterruptText = 11250;
    static constexpr int kCrossbarText = 11286;

    explicit CSpi0PropPage(PageContext& context);

    void OnSetActive() override;
    void Refresh() override;
    void OnCommand(int id) override;

protected:
    void OnHexChanged(int editId) override;

private:
    void ShowSck();
    // Whether a change between three-wire and four-wire operation is allowed now.
    bool WireChangeAllowed() const;
    // Shows the wire-mode message and puts the mark back on `previous`.
    void Refuse(int previous);
    void SetWireMode(std::uint8_t mode);
    void OnWireMode(int id);
    void OnChangeSck();
};
