#pragma once
// The device documents of the eight models. They share everything but the
// DeviceCode their new-document set-up writes and their class name.

#include <memory>

#include "model/DeviceDocument.h"

class CQ7R2xDoc : public CDeviceDocument {
public:
    explicit CQ7R2xDoc(int model) : model_(model) {}

    const char* GetRuntimeClass() const override;
    // Model code, header name "Q7R20", C output, then the defaults.
    bool OnNewDocument() override;
    void InitializePeripherals() override;

    int Model() const { return model_; }

protected:
    // Each builds its default record(s) and files them in the map.
    void InitOscillator();
    void InitTimer();
    void InitPortIO();
    void InitInterrupts();
    void InitVoltageRef();
    void InitVoltageReg();
    void InitSMBus();
    void InitSPI();
    void InitComparator();
    void InitUART();
    void InitPCA();
    void InitResetSources();
    void InitADC();
    void InitPrefetch();
    void InitEMI();

private:
    int model_;
};

// One class name per model, as the templates create them.
template <int N>
class CQ7R2nDoc final : public CQ7R2xDoc {
public:
    CQ7R2nDoc() : CQ7R2xDoc(N) {}
};
using CQ7R20Doc = CQ7R2nDoc<0>;
using CQ7R21Doc = CQ7R2nDoc<1>;
using CQ7R22Doc = CQ7R2nDoc<2>;
using CQ7R23Doc = CQ7R2nDoc<3>;
using CQ7R24Doc = CQ7R2nDoc<4>;
using CQ7R25Doc = CQ7R2nDoc<5>;
using CQ7R26Doc = CQ7R2nDoc<6>;
using CQ7R27Doc = CQ7R2nDoc<7>;

// The document of model n (0 ... 7), not yet set up.
std::unique_ptr<CQ7R2xDoc> CreateModelDocument(int model);
// A document set up as File New does.
std::unique_ptr<CQ7R2xDoc> NewProject(int model);

// Pages and checks address registers by position. A record read from an old
// or damaged project may hold fewer entries than the model's default record;
// the missing trailing entries are added from that default (at their reset
// values), so that every position exists.
void CompleteRecord(PeripheralRecord& record, int deviceCode, PeripheralId id);
