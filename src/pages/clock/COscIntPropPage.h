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
    // `captions`: the check box's, then the four dividers' (/ 8 first).
    COscInternalPage(PageContext& context, const std::string& caption, int position,
                     const char* const (&captions)[5]);
};

class COscIntPropPage : public COscInternalPage {
    Q_OBJECT
public:
    explicit COscIntPropPage(PageContext& context);
};

class COscIntLFPropPage : public COscInternalPage {
    Q_OBJECT
public:
    explicit COscIntLFPropPage(PageContext& context);
};
