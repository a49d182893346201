// Every page of every Peripherals command, on a large- and a small-package
// model, laid out as a user sees it: no text control smaller than its size
// hint (its text would be clipped), no two visible controls overlapping. The
// sheets fit a laptop's screen (1366x768, the off-screen screen) without page
// scrolling; on 1280x720 and 1024x600 they still fit and the pages scroll.

#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>

#include <sstream>

#include "chip/Crossbar.h"
#include "framework/CMainFrame.h"
#include "framework/OffscreenScreen.h"
#include "pages/portio/CPinPlannerDlg.h"
#include "pages/portio/PortIOPages.h"
#include "plugin/PeripheralTable.h"
#include "support/PageTest.h"

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

// Where a one-line label's text is drawn in its rectangle `r` on the page.
QRect TextSpan(const QLabel* label, const QRect& r) {
    if (label->wordWrap()) return r;
    const int width = std::min(r.width(), label->fontMetrics().horizontalAdvance(label->text()));
    const Qt::Alignment align = QStyle::visualAlignment(label->layoutDirection(), label->alignment());
    int left = r.left();
    if (align & Qt::AlignRight) left = r.right() + 1 - width;
    else if (align & Qt::AlignHCenter) left = r.left() + (r.width() - width) / 2;
    return QRect(left, r.top(), width, r.height());
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
    auto shown = [](const QWidget* w) {
        const auto* label = qobject_cast<const QLabel*>(w);
        return !label || !label->text().isEmpty();
    };
    for (std::size_t i = 0; i < controls.size(); ++i)
        for (std::size_t j = i + 1; j < controls.size(); ++j) {
            QWidget* a = controls[i];
            QWidget* b = controls[j];
            if (IsAncestor(a, b) || IsAncestor(b, a)) continue;
            const QRect ra = OnPage(a, page), rb = OnPage(b, page);
            if (ra.intersects(rb)) problems.push_back(Describe(a) + " overlaps " + Describe(b));
            // Two texts on one line need a gap, or they read as one.
            const auto* la = qobject_cast<QLabel*>(a);
            const auto* lb = qobject_cast<QLabel*>(b);
            if (la && lb && shown(a) && shown(b) && ra.top() <= rb.bottom() && rb.top() <= ra.bottom()) {
                const QRect ta = TextSpan(la, ra), tb = TextSpan(lb, rb);
                const int gap = std::max(tb.left() - ta.right(), ta.left() - tb.right()) - 1;
                if (gap < 8) problems.push_back(Describe(a) + " runs into " + Describe(b));
            }
        }
    // A frame with nothing to show in it.
    for (QWidget* w : controls) {
        if (!qobject_cast<QGroupBox*>(w)) continue;
        bool empty = true;
        for (QWidget* inner : controls)
            if (IsAncestor(w, inner) && !qobject_cast<QGroupBox*>(inner) && shown(inner)) empty = false;
        if (empty) problems.push_back(Describe(w) + " is an empty frame");
    }
    return problems;
}

// What a page cannot show on its screen: a page larger than the room its
// scroll area gives it, in a direction without a scroll bar; with
// `scrolls == false`, any scroll bar at all.
std::vector<std::string> ScrollProblems(QWidget* page, bool scrolls) {
    std::vector<std::string> problems;
    QAbstractScrollArea* area = nullptr;
    for (QWidget* p = page->parentWidget(); p && !area; p = p->parentWidget())
        area = qobject_cast<QAbstractScrollArea*>(p);
    if (!area) return {"the page is not in a scroll area"};
    const QSize room = area->viewport()->size();
    const bool across = area->horizontalScrollBar()->isVisible();
    const bool down = area->verticalScrollBar()->isVisible();
    if (!scrolls && (across || down)) problems.push_back("the page scrolls");
    if (page->width() > room.width() && !across) problems.push_back("the page is cut at the right");
    if (page->height() > room.height() && !down) problems.push_back("the page is cut at the bottom");
    return problems;
}

// The sheet, its frame and its buttons within `screen`.
std::vector<std::string> FitProblems(CDeviceDlg& sheet, const QRect& screen) {
    std::vector<std::string> problems;
    const QRect frame = sheet.geometry().marginsAdded(CModalDialog::FrameMargins(&sheet));
    if (!screen.contains(frame)) {
        std::ostringstream out;
        out << "the sheet with its frame is " << frame.width() << "x" << frame.height() << " at "
            << frame.x() << "," << frame.y() << ", the screen " << screen.width() << "x"
            << screen.height();
        problems.push_back(out.str());
    }
    for (int id : {kIdOk, kIdCancel, kIdReset}) {
        QWidget* button = driver::Find(&sheet, id);
        if (!button || !button->isVisible() ||
            !sheet.rect().contains(QRect(button->mapTo(&sheet, QPoint(0, 0)), button->size())))
            problems.push_back("button " + std::to_string(id) + " is not in sight");
    }
    return problems;
}

// The checks themselves: a page placed by hand with a cut label, two
// overlapping check boxes, two texts run together and an empty frame is
// refused on each count; the parts of a drop-down are not controls of their
// own. That well laid-out pages pass: the Layout tests below.
TEST(LayoutChecks, FindClippedTextOverlapsRunTogetherTextsAndEmptyFrames) {
    QWidget page;
    auto* label = new QLabel(QStringLiteral("A caption that needs room"), &page);
    auto* a = new QCheckBox(QStringLiteral("First"), &page);
    auto* b = new QCheckBox(QStringLiteral("Second"), &page);
    auto* list = new QComboBox(&page);
    auto* fastest = new QLabel(QStringLiteral("Fastest"), &page);
    auto* lowest = new QLabel(QStringLiteral("Lowest"), &page);
    auto* frame = new QGroupBox(QStringLiteral("Frame"), &page);
    list->setEditable(true);
    label->setGeometry(0, 0, 20, 5);
    a->setGeometry(QRect(QPoint(0, 40), a->sizeHint()));
    b->setGeometry(QRect(QPoint(10, 45), b->sizeHint()));
    list->setGeometry(0, 100, 200, 30);
    fastest->setGeometry(QRect(QPoint(0, 150), fastest->sizeHint()));
    lowest->setGeometry(QRect(QPoint(fastest->width() + 2, 150), lowest->sizeHint()));
    frame->setGeometry(250, 0, 100, 60);
    page.resize(400, 200);
    page.show();
    const auto problems = LayoutProblems(&page);
    ASSERT_EQ(problems.size(), 4u);
    EXPECT_NE(problems[0].find("QLabel \"A caption that needs room\" is 20x5"), std::string::npos)
        << problems[0];
    EXPECT_NE(problems[1].find("overlaps"), std::string::npos) << problems[1];
    EXPECT_NE(problems[2].find("\"Fastest\" runs into QLabel \"Lowest\""), std::string::npos)
        << problems[2];
    EXPECT_NE(problems[3].find("\"Frame\" is an empty frame"), std::string::npos) << problems[3];
}

// The crossbar's boxes without a caption say in their tooltip what they route.
TEST(LayoutChecks, CaptionlessCrossbarBoxesHaveTooltips) {
    PeripheralRecord spi;
    CPortIOCrossbarPropPage page(true, spi);
    using namespace portio;
    for (int id : {kIdCp0A, kIdCp1A, kIdCex0 + 1, kIdCex0 + 2, kIdCex0 + 3, kIdCex0 + 4}) {
        QWidget* box = driver::Find(&page, id);
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
    const QRect laptop = CModalDialog::ScreenArea(nullptr);
    ASSERT_EQ(laptop, QRect(0, 0, kOffscreenWidth, kOffscreenHeight));
    const QRect smaller[] = {QRect(0, 0, 1280, 720), QRect(0, 0, 1024, 600)};
    for (const plugin::PeripheralCommand& row : plugin::PeripheralTable()) {
        auto doc = NewProject(model);
        ui_.Modals.push_back([&](ModalDialog& d) {
            auto& sheet = dynamic_cast<CDeviceDlg&>(d);
            auto eachPage = [&](const QRect& screen, bool scrolls) {
                const std::string where = row.caption + " at " + std::to_string(screen.width()) + "x" +
                                          std::to_string(screen.height());
                for (const auto& problem : FitProblems(sheet, screen))
                    ADD_FAILURE() << where << ": " << problem;
                for (int i = 0; i < sheet.PageCount(); ++i) {
                    sheet.SetActivePage(i);
                    QCoreApplication::processEvents();
                    QWidget* page = sheet.ActivePage();
                    const std::string caption =
                        sheet.findChild<QTabWidget*>()->tabText(i).toStdString();
                    for (const auto& problem : LayoutProblems(page))
                        ADD_FAILURE() << where << " / " << caption << ": " << problem;
                    for (const auto& problem : ScrollProblems(page, scrolls))
                        ADD_FAILURE() << where << " / " << caption << ": " << problem;
                    if (!scrolls) {
                        // The page fits in the sheet as it opens: nothing cut at its edges.
                        EXPECT_TRUE(QRect(QPoint(0, 0), sheet.size())
                                        .contains(QRect(page->mapTo(&sheet, QPoint(0, 0)), page->size())))
                            << where << " / " << caption;
                        ++pagesSeen;
                    }
                }
            };
            // As it opens, on the laptop's screen.
            eachPage(laptop, false);
            // It opens over the main window's default size, which keeps it in sight.
            EXPECT_LE(sheet.width(), kMainFrameDefaultWidth) << row.caption;
            EXPECT_LE(sheet.height() + 40, kMainFrameDefaultHeight) << row.caption;
            // On smaller screens the pages scroll, but the sheet and its buttons fit.
            for (const QRect& screen : smaller) {
                sheet.FitInto(screen, CModalDialog::FrameMargins(&sheet));
                QCoreApplication::processEvents();
                eachPage(screen, true);
            }
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
