#pragma once
// Runs a described sheet on a document, top-level (a Peripherals command) or
// nested (opened by a page of another sheet):
//   1. one undoable step, captioned as the sheet;
//   2. a page context: the records of `shared` lent by the caller's context
//      when it holds them, every other stored or copied record a fresh copy;
//   3. the pages, in order, for the document's model;
//   4. the sheet runs modally, starting on `startPage` when one is named
//      (selected as a click on its tab selects it);
//   5. OK stores the stored records into the document at once; Cancel
//      stores nothing and, when the plan says so, puts SysclkFrequency and
//      ExtOscFrequency back to their values at the start.
// Nothing else is put back: what a nested sheet or a calculator stored meanwhile stays.

#include <string>

#include "pages/common/SheetPlan.h"

class CDeviceDocument;

// True when the sheet ended with OK.
bool RunSheet(CDeviceDocument& doc, const SheetPlan& plan, PageContext* caller = nullptr,
              const std::string& startPage = {});
