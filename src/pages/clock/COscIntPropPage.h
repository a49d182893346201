#pragma once
// The two internal oscillator pages: an enable bit and a divider in OSCICN
// (H-F) or OSCLCN (L-F). Every change recomputes the system clock from the
// current SYSCLK source.

#include "pages/clock/COscPage.h"

class COscInternalPage : public COscPage {
    Q_OBJECT
public:
    void OnCommand(int id) override;

protected:
    // `name` is the oscillator's name in the captions; `rates` the four
    // divided frequencies, divider 8 first.
    COscInternalPage(const std::string& caption, const OscClockWords& words, int position,
                     const std::string& name, const char* const (&rates)[4]);
};

class COscIntPropPage : public COscInternalPage {
    Q_OBJECT
public:
    explicit COscIntPropPage(const OscClockWords& words);
};

class COscIntLFPropPage : public COscInternalPage {
    Q_OBJECT
public:
    explicit COscIntLFPropPage(const OscClockWords& words);
};
