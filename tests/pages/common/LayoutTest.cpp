// Every page of every Peripherals command, on a large- and a small-package
// model, laid out as a user sees it: no visible label, check box or radio
// button smaller than its size hint (its text would be clipped), and no two
// visible controls overlapping. New commands are covered as soon as their
// row is in the command table.

#include <gtest/gtest.h>

#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>

#include <sstream>
#include <string>
#include <vector>

#include "chip/Crossbar.h"
#include "devices/Q7R2xDoc.h"
#include "framework/CMainFrame.h"
#include "model/Ui.h"
#include "pages/common/CDeviceDlg.h"
#include "pages/common/SheetRunner.h"
#include "pages/portio/CPinPlannerDlg.h"
#include "pages/portio/PortIOPages.h"
#include "plugin/PeripheralTable.h"
#include "support/ScopedUi.h"

namespace {

// Text-bearing controls whose text is cut when they get less than their hint.
bool ShowsText(const QWidget* w) {
    return qobject_cast<const QLabel*>(w) || qobject_cast<const QCheckBox*>(w) ||
           qobject_cast<const QRadioButton*>(w);
}

bool IsControl(const QWidget* w) {
    return ShowsText(w) || qobject_cast<const QAbstractButton*>(w) ||
           qobject_cast<const QComboBox*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QAbstractScrollArea*>(w) || qobject_cast<const QAbstractSlider*>(w) ||
           qobject_cast<const QGroupBox*>(w);
}

// A part of a composite control (a drop-down's edit, a table's scroll bars
// and headers) rather than a control of the page.
bool IsInnerPart(const QWidget* w, const QWidget* page) {
    for (const QWidget* p = w->parentWidget(); p && p != page; p = p->parentWidget())
        if (qobject_cast<const QComboBox*>(p) || qobject_cast<const QAbstractScrollArea*>(p) ||
            qobject_cast<const QAbstractSpinBox*>(p) || qobject_cast<const QTabBar*>(p))
            return true;
    return false;
}

std::string Describe(const QWidget* w) {
    std::ostringstream out;
    out << w->metaObject()->className();
    QString text;
    if (auto* l = qobject_cast<const QLabel*>(w))
        text = l->text();
    else if (auto* b = qobject_cast<const QAbstractButton*>(w))
        text = b->text();
    else if (auto* g = qobject_cast<const QGroupBox*>(w))
        text = g->title();
    const QVariant id = w->property("zvId");
    if (id.isValid()) out << " " << id.toInt();
    if (!text.isEmpty()) out << " \"" << text.left(40).replace('\n', "\\n").toStdString() << "\"";
    return out.str();
}

QRect OnPage(const QWidget* w, const QWidget* page) {
    return QRect(w->mapTo(page, QPoint(0, 0)), w->size());
}

bool IsAncestor(const QWidget* a, const QWidget* b) {
    for (const QWidget* p = b->parentWidget(); p; p = p->parentWidget())
        if (p == a) return true;
    return false;
}

// What is wrong with the page's layout as it stands; empty when nothing.
std::vector<std::string> LayoutProblems(QWidget* page) {
    std::vector<std::string> problems;
    std::vector<QWidget*> controls;
    for (QWidget* w : page->findChildren<QWidget*>())
        if (w->isVisible() && IsControl(w) && !IsInnerPart(w, page)) controls.push_back(w);

    for (QWidget* w : controls) {
        if (!ShowsText(w)) continue;
        const QSize hint = w->sizeHint();
        const auto* label = qobject_cast<const QLabel*>(w);
        const bool wraps = label && label->wordWrap();
        const int wanted = wraps ? w->heightForWidth(w->width()) : hint.height();
        if ((!wraps && w->width() < hint.width()) || w->height() < wanted) {
            std::ostringstream out;
            out << Describe(w) << " is " << w->width() << "x" << w->height() << ", needs "
                << (wraps ? w->width() : hint.width()) << "x" << wanted;
            problems.push_back(out.str());
        }
    }
    for (std::size_t i = 0; i < controls.size(); ++i)
        for (std::size_t j = i + 1; j < controls.size(); ++j) {
            QWidget* a = controls[i];
            QWidget* b = controls[j];
            if (IsAncestor(a, b) || IsAncestor(b, a)) continue;
            if (OnPage(a, page).intersects(OnPage(b, page)))
                problems.push_back(Describe(a) + " overlaps " + Describe(b));
        }
    return problems;
}

// The checks themselves: a page placed by hand with a cut label and two
// overlapping check boxes is refused on both counts; the parts of a
// drop-down are not controls of their own.
TEST(LayoutChecks, FindClippedTextAndOverlaps) {
    QWidget page;
    auto* label = new QLabel(QStringLiteral("A caption that needs room"), &page);
    auto* a = new QCheckBox(QStringLiteral("First"), &page);
    auto* b = new QCheckBox(QStringLiteral("Second"), &page);
    auto* list = new QComboBox(&page);
    list->setEditable(true);
    label->setGeometry(0, 0, 20, 5);
    a->setGeometry(0, 40, a->sizeHint().width(), a->sizeHint().height());
    b->setGeometry(10, 45, b->sizeHint().width(), b->sizeHint().height());
    list->setGeometry(0, 100, 200, 30);
    page.resize(400, 200);
    page.show();
    const auto problems = LayoutProblems(&page);
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_NE(problems[0].find("QLabel \"A caption that needs room\" is 20x5"), std::string::npos)
        << problems[0];
    EXPECT_NE(problems[1].find("overlaps"), std::string::npos) << problems[1];

    b->move(0, 40 + a->height());
    label->resize(label->sizeHint());
    EXPECT_TRUE(LayoutProblems(&page).empty());
}

// The crossbar's boxes without a caption say in their tooltip what they route.
TEST(LayoutChecks, CaptionlessCrossbarBoxesHaveTooltips) {
    PeripheralRecord spi;
    CPortIOCrossbarPropPage page(true, spi);
    using namespace portio;
    for (int id : {kIdCp0A, kIdCp1A, kIdCex0 + 1, kIdCex0 + 2, kIdCex0 + 3, kIdCex0 + 4}) {
        QWidget* box = nullptr;
        for (QWidget* w : page.findChildren<QWidget*>())
            if (w->property("zvId").toInt() == id) box = w;
        ASSERT_NE(box, nullptr) << id;
        EXPECT_FALSE(box->toolTip().isEmpty()) << id;
    }
}

class Layout : public ::testing::TestWithParam<int> {
protected:
    ScopedScriptUi ui_;
};

TEST_P(Layout, EveryPageOfEveryCommandShowsAllItsTextWithoutOverlaps) {
    const int model = GetParam();
    int pagesSeen = 0;
    for (const plugin::PeripheralCommand& row : plugin::PeripheralTable()) {
        auto doc = NewProject(model);
        ui_.Modals.push_back([&](ModalDialog& d) {
            auto& sheet = dynamic_cast<CDeviceDlg&>(d);
            for (int i = 0; i < sheet.PageCount(); ++i) {
                sheet.SetActivePage(i);
                QCoreApplication::processEvents();
                QWidget* page = sheet.ActivePage();
                const QString caption = sheet.findChild<QTabWidget*>()->tabText(i);
                for (const auto& problem : LayoutProblems(page))
                    ADD_FAILURE() << row.caption << " / " << caption.toStdString() << ": " << problem;
                // The page fits in the sheet as it opens: nothing cut at its edges.
                EXPECT_TRUE(QRect(QPoint(0, 0), sheet.size())
                                .contains(QRect(page->mapTo(&sheet, QPoint(0, 0)), page->size())))
                    << row.caption << " / " << caption.toStdString();
                ++pagesSeen;
            }
            // The sheet, with a title bar, fits on the main window it opens over.
            EXPECT_LE(sheet.width(), kMainFrameDefaultWidth) << row.caption;
            EXPECT_LE(sheet.height() + 40, kMainFrameDefaultHeight) << row.caption;
            d.Finish(false);
        });
        RunSheet(*doc, row.sheet);
    }
    EXPECT_GE(pagesSeen, static_cast<int>(plugin::PeripheralTable().size()));
}

// The Pin Planner, with a refusal as its longest status, fits a 1366x768
// screen with its title bar.
TEST_P(Layout, PinPlannerShowsAllItsTextWithoutOverlaps) {
    auto doc = NewProject(GetParam());
    CPinPlannerDlg planner(*doc, "pins.csv");
    planner.Want(8, 0);   // CP0 on P0.0
    planner.Want(6, 10);  // SDA on P1.2: SDA would take P0.0
    ASSERT_FALSE(planner.Plan().Solved());
    planner.show();
    QCoreApplication::processEvents();
    for (const auto& problem : LayoutProblems(&planner))
        ADD_FAILURE() << problem;
    EXPECT_LE(planner.width(), 1366);
    EXPECT_LE(planner.height() + 40, 768);
}

INSTANTIATE_TEST_SUITE_P(LargeAndSmallPackage, Layout, ::testing::Values(0, 2),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return info.param == 0 ? std::string("Q7R20") : std::string("Q7R22");
                         });

}  // namespace
