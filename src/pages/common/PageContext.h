#pragma once
// What the pages of one running sheet reach the project through: the
// document, the clock words, the working copies of records, and the nested
// sheets they open. The runner makes one per sheet; pages never hold raw
// pointers into the document.

#include <cstdint>
#include <map>

#include "model/PeripheralRecord.h"
#include "pages/common/SheetPlan.h"

class CDeviceDocument;

class PageContext {
public:
    // A context on `doc`; `caller` is the context of the page that opened
    // this sheet (null for a top-level sheet).
    explicit PageContext(CDeviceDocument& doc, PageContext* caller = nullptr);
    PageContext(const PageContext&) = delete;
    PageContext& operator=(const PageContext&) = delete;

    CDeviceDocument& Doc() const { return doc_; }
    PageContext* Caller() const { return caller_; }
    int DeviceCode() const;
    bool LargePackage() const;

    // The document's clock words. Pages write them in place; the document
    // reports a change only when the whole step ends.
    std::uint32_t Sysclk() const;
    void SetSysclk(std::uint32_t hz);
    std::uint32_t ExtOsc() const;
    void SetExtOsc(std::uint32_t hz);
    std::uint32_t IntOsc() const;
    std::uint32_t LfOsc() const;
    std::uint32_t Eci() const;
    void SetEci(std::uint32_t hz);

    // The working copy of record `id`: a lent one, else a copy taken from
    // the document on first use (completed to the model's length).
    PeripheralRecord& Record(PeripheralId id);
    bool Holds(PeripheralId id) const;
    // Makes `record` (owned by the caller, outliving this context) the copy
    // of `id`.
    void Lend(PeripheralId id, PeripheralRecord& record);
    // Takes the copy of `id` from the document again (a nested sheet stored it).
    void Reload(PeripheralId id);

    // Opens nested sheet `id` from a page of this sheet; true on OK (its
    // record is then stored in the document).
    bool OpenSheet(SheetId id);

private:
    CDeviceDocument& doc_;
    PageContext* caller_;
    std::map<PeripheralId, PeripheralRecord> own_;
    std::map<PeripheralId, PeripheralRecord*> lent_;
};
