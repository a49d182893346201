#pragma once
// The PCA's calculators and the ECI pin frequency dialog.

#include <cstdint>

#include "chip/PcaMath.h"
#include "model/PeripheralRecord.h"
#include "pages/common/CCalculatorDlg.h"

class PageContext;

// "ECI Pin Frequency": OK writes the typed number straight into the
// document's EciFrequency, whatever the sheet that opened it does later.
class CEciFrequencyDlg : public CCalculatorDlg {
    Q_OBJECT
public:
    explicit CEciFrequencyDlg(PageContext& context);

protected:
    void OnInitDialog() override;
    bool OnOK() override;

private:
    PageContext& context_;
};

// "Calculate CEX Frequency": PCA0CPHn of a module in frequency output.
class CCexFrequencyDlg : public CCalculatorDlg {
    Q_OBJECT
public:
    CCexFrequencyDlg(PeripheralRecord& pca, int module, std::uint32_t pcaClock);
    void OnEditChange(int id) override;

protected:
    void OnInitDialog() override;
    bool OnOK() override;

private:
    pca::CexResult Compute() const;

    PeripheralRecord& pca_;
    int module_;
    std::uint32_t clock_;
};

// "Duty Cycle": PCA0CPHn (and PCA0CPLn) of a module in 8- or 16-bit PWM.
class CDutyCycleDlg : public CCalculatorDlg {
    Q_OBJECT
public:
    // `range`: 256 for 8-bit PWM, 65536 for 16-bit.
    CDutyCycleDlg(PeripheralRecord& pca, int module, int range);
    void OnEditChange(int id) override;

protected:
    void OnInitDialog() override;
    bool OnOK() override;

private:
    PeripheralRecord& pca_;
    int module_;
    int range_;
};

// "Calculate Timeout Interval": PCA0CPL4 and the timebase for a watchdog timeout.
class CTimeoutIntervalDlg : public CCalculatorDlg {
    Q_OBJECT
public:
    // `context` (the module page's) is where "Change Clock Frequencies" and
    // the ECI dialog act; `clocks` the frequencies the module page had when
    // it opened the dialog.
    CTimeoutIntervalDlg(PageContext& context, PeripheralRecord& pca,
                        const pca::TimeoutInputs& clocks);
    void OnCommand(int id) override;
    void OnEditChange(int id) override;

protected:
    void OnInitDialog() override;
    bool OnOK() override;

private:
    pca::TimeoutSource Source() const;
    void ShowFrequencies();
    void ShowAchieved();

    PageContext& context_;
    PeripheralRecord& pca_;
    pca::TimeoutInputs clocks_;
};
