// What the page tests share: a control's text and state on a page, a sheet
// run on a new project with the user's actions queued, the records as
// stored, and one page opened on its sheet's working copies.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "devices/Q7R2xDoc.h"
#include "framework/ControlDriver.h"
#include "model/Ui.h"
#include "pages/common/CDeviceDlg.h"
#include "pages/common/CPropPage.h"
#include "pages/common/PageContext.h"
#include "pages/common/SheetRunner.h"
#include "support/Models.h"
#include "support/ScopedUi.h"

namespace testing_pages {

inline std::string Text(QWidget* page, int id) { return driver::TextOf(driver::Find(page, id)); }
inline bool Checked(QWidget* page, int id) { return driver::IsChecked(driver::Find(page, id)); }
inline bool Enabled(QWidget* page, int id) { return driver::Find(page, id)->isEnabled(); }
// Clicks each control in turn, as the user would; a refused click fails the test.
inline void Click(QWidget* page, std::initializer_list<int> ids) {
    for (int id : ids) ASSERT_EQ(driver::Click(page, id), "") << id;
}
// The page of `index` made active.
inline CPropPage* Go(CDeviceDlg& sheet, int index) {
    sheet.SetActivePage(index);
    return sheet.ActivePage();
}

// A new project (model 0 unless a test opens another) and the scripted UI.
class SheetTest : public ::testing::Test {
protected:
    // Queues what the user does in the next sheet (outer or nested).
    void Then(std::function<void(CDeviceDlg&)> act) {
        ui_.Modals.push_back([act](ModalDialog& d) { act(dynamic_cast<CDeviceDlg&>(d)); });
    }
    PeripheralRecord Stored(PeripheralId id) {
        PeripheralRecord r;
        doc_->GetPeripheral(r, id);
        return r;
    }
    std::uint8_t StoredValue(PeripheralId id, int position) {
        return Stored(id).Registers.at(static_cast<std::size_t>(position)).Value;
    }
    // The texts of the message boxes shown so far.
    std::vector<std::string> Messages() const {
        std::vector<std::string> texts;
        for (const auto& m : ui_.Shown) texts.push_back(m.Text);
        return texts;
    }

    ScopedScriptUi ui_;
    std::unique_ptr<CQ7R2xDoc> doc_ = NewProject(0);
};

// One page opened on the working copies of a sheet's context, as its sheet
// opens it: tests set the copies up, open the page and read them back.
template <class Page = CPropPage>
class PageTest : public SheetTest {
protected:
    // Starts over on a new project of `model`.
    void New(int model) {
        owned_.reset();
        doc_ = NewProject(model);
        context_ = std::make_unique<PageContext>(*doc_);
    }
    // The sheet's working copy of a record.
    PeripheralRecord& Copy(PeripheralId id) { return context_->Record(id); }
    std::uint8_t& Reg(PeripheralId id, int position) {
        return Copy(id).Registers.at(static_cast<std::size_t>(position)).Value;
    }
    // Opens a page (the fixture's kind unless named) on the copy of `record`.
    template <class P = Page>
    P& Open(PeripheralId record) {
        auto page = std::make_unique<P>(*context_);
        P& opened = *page;
        owned_ = std::move(page);
        page_ = dynamic_cast<Page*>(&opened);
        opened.SetRecord(&Copy(record));
        opened.OnInitDialog();
        opened.show();
        return opened;
    }
    void Click(int id) { ASSERT_EQ(driver::Click(owned_.get(), id), "") << id; }
    void Type(int id, const std::string& text) {
        ASSERT_EQ(driver::SetText(owned_.get(), id, text), "") << id;
    }
    void Choose(int id, const std::string& item) {
        ASSERT_EQ(driver::SelectText(owned_.get(), id, item), "") << id;
    }

    std::unique_ptr<PageContext> context_ = std::make_unique<PageContext>(*doc_);
    std::unique_ptr<CPropPage> owned_;
    Page* page_ = nullptr;  // the page last opened, when of the fixture's kind
};

}  // namespace testing_pages
