// The Pin Planner as a user works it: drops, a refusal in the wish's own row,
// Apply as one step, Export Pin List. The status texts, Apply's record in the
// generated code and Undo: pin_planner.zvs.

#include <QMimeData>
#include <QTableWidget>

#include <unistd.h>

#include <filesystem>

#include "chip/PinList.h"
#include "pages/portio/CPinPlannerDlg.h"
#include "support/Files.h"
#include "support/PageTest.h"
#include "support/PortIOProject.h"

using namespace pinplanner;

namespace {

struct Planner {
    explicit Planner(int model) : doc(NewProject(model)) {
        doc->OnStep = [this](const std::string& caption, const DocumentState&,
                             const DocumentState&) { steps.push_back(caption); };
        dlg = std::make_unique<CPinPlannerDlg>(*doc, "board-pins.csv");
        dlg->show();
    }
    std::string Status() const { return driver::TextOf(driver::Find(dlg.get(), kIdStatus)); }
    std::string Note(int signal) const {
        auto* table = static_cast<QTableWidget*>(driver::Find(dlg.get(), kIdSignals));
        return table->item(signal, 3)->text().toStdString();
    }
    // Drops a signal on the middle of a pin's cell, as a drag from the list ends.
    void Drop(int signal, int pin) {
        auto* grid = dynamic_cast<CSignalTable*>(driver::Find(dlg.get(), kIdGrid));
        ASSERT_TRUE(grid);
        QMimeData mime;
        mime.setData(kSignalMimeType, QByteArray::number(signal));
        EXPECT_TRUE(grid->Drop(grid->visualItemRect(grid->item(pin / 8, pin % 8)).center(), mime));
    }

    ScopedScriptUi ui;
    std::unique_ptr<CQ7R2xDoc> doc;
    std::vector<std::string> steps;
    std::unique_ptr<CPinPlannerDlg> dlg;
};

constexpr int kSda = 6, kScl = 7, kCp0 = 8;

TEST(PinPlanner, WishesSolveAtOnceAndApplyIsOneStep) {
    Planner p(kSmallModel);
    const DocumentState before = p.doc->State();
    p.Drop(kSda, 10);  // P1.2
    EXPECT_EQ(p.dlg->Wishes(), (std::vector<portio::PinWish>{{kSda, 10}}));
    EXPECT_EQ(driver::TextOf(driver::Find(p.dlg.get(), kFirstPinListId + kSda)), "P1.2");

    // A drop on a wanted pin takes it from the other signal; a wish that
    // cannot be met is explained in its row and changes nothing.
    p.Drop(kCp0, 10);
    EXPECT_EQ(p.dlg->Wishes(), (std::vector<portio::PinWish>{{kCp0, 10}}));
    ASSERT_EQ(driver::SelectText(p.dlg.get(), kFirstPinListId + kSda, "P1.3"), "");
    EXPECT_EQ(p.Status(),
              "Cannot place SDA=P1.3: SDA comes before CP0 in the crossbar's order "
              "and cannot be kept off P1.2.");
    EXPECT_EQ(p.Note(kSda),
              "SDA comes before CP0 in the crossbar's order and cannot be kept off P1.2");
    EXPECT_EQ(p.Note(kCp0), "");
    EXPECT_FALSE(driver::Find(p.dlg.get(), kIdApply)->isEnabled());
    EXPECT_EQ(p.doc->State(), before);

    // Apply: the solver's record, stored as one step; the planner goes on
    // from the project as it now is.
    ASSERT_EQ(driver::SelectText(p.dlg.get(), kFirstPinListId + kSda, "(any)"), "");
    ASSERT_EQ(driver::SelectText(p.dlg.get(), kFirstPinListId + kScl, "P1.1"), "");
    const portio::PinPlan plan = p.dlg->Plan();
    ASSERT_TRUE(plan.Solved());
    ASSERT_EQ(driver::Click(p.dlg.get(), kIdApply), "");
    PeripheralRecord stored;
    p.doc->GetPeripheral(stored, Pid::PortIO);
    EXPECT_EQ(stored, plan.PortIo);
    EXPECT_EQ(p.steps, std::vector<std::string>{"Pin Planner"});
    ASSERT_EQ(driver::Click(p.dlg.get(), kIdClear), "");
    EXPECT_TRUE(p.dlg->Wishes().empty());
    EXPECT_EQ(p.Status(), "No pin is wanted yet.");
}

TEST(PinPlanner, ExportWritesThePinListTheGridShows) {
    Planner p(kLargeModel);
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("zv_pins_" + std::to_string(::getpid()) + ".csv"))
                                 .string();
    p.Drop(kSda, 3);
    p.ui.SaveNames.push_back(path);
    ASSERT_EQ(driver::Click(p.dlg.get(), kIdExport), "");
    ASSERT_EQ(p.ui.FileRequests.size(), 1u);
    EXPECT_EQ(p.ui.FileRequests[0].Title, "Export Pin List");
    EXPECT_EQ(p.ui.FileRequests[0].InitialName, "board-pins.csv");
    const std::string csv = testing_files::Slurp(path);
    EXPECT_EQ(csv, portio::PinListCsv(portio::PinListOf(
                       p.dlg->Plan().PortIo, true, p.doc->DeviceData.Peripherals.at(Pid::Spi))));
    EXPECT_NE(csv.find("\nP0.3,SDA,no,digital,open-drain\nP0.4,SCL,"), std::string::npos) << csv;
    std::filesystem::remove(path);

    // A folder that is not there: the save error, nothing else.
    p.ui.SaveNames.push_back("/nonexistent/dir/pins.csv");
    ASSERT_EQ(driver::Click(p.dlg.get(), kIdExport), "");
    ASSERT_EQ(p.ui.Shown.size(), 1u);
    EXPECT_EQ(p.ui.Shown[0].Text, kSaveError);
    // Cancelled: nothing shown, nothing written.
    p.ui.SaveNames.push_back(std::nullopt);
    ASSERT_EQ(driver::Click(p.dlg.get(), kIdExport), "");
    EXPECT_EQ(p.ui.Shown.size(), 1u);
}

}  // namespace
