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
    enum : int {
        kSlave = 11234, kMaster, kFirstEdge, kSecondEdge, kChangeSck, kSck, kIdleLow, kIdleHigh,
        kEnable, kThreeWire, kFourWire, kSingleMaster, kNss,
        kDivider = 11248, kConfigureInterrupts, kInterruptText, kCrossbarText = 11286,
    };

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
