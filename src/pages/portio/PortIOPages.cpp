#include "pages/portio/PortIOPages.h"

#include <QCheckBox>
#include <QFont>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVariant>

#include "model/Ui.h"

using namespace portio;

namespace {

// Height of a pin table row, as the grid's default row height.
constexpr int kRowTwips = 240;

QColor ToColour(Rgb c) { return QColor(c.R, c.G, c.B); }

// Pixels of a length in twips on the widget's screen.
int Pixels(const QWidget* w, int twips) { return TwipsToPixels(twips, w->logicalDpiX()); }

QLabel* Swatch(Rgb colour, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setFixedSize(14, 14);
    l->setAutoFillBackground(true);
    QPalette p = l->palette();
    p.setColor(QPalette::Window, ToColour(colour));
    l->setPalette(p);
    return l;
}

// "P4.n" of a port 4 button's bit.
QString Port4PinName(const CrossbarEntry& e) {
    int bit = 0;
    while (bit < 7 && (e.Mask >> bit) != 1) ++bit;
    return QString("P4.%1").arg(bit);
}

}  // namespace

// ---------------------------------------------------------------------------
// Crossbar page

CPortIOCrossbarPropPage::CPortIOCrossbarPropPage(bool largePackage, const PeripheralRecord& spi0)
    : CPropPage(kCrossbarPageCaption), crossbar_(largePackage, spi0) {
    PageBuilder b(this, this);

    // The peripherals that can be put on the crossbar, in priority order;
    // boxes without a caption stand beside their peripheral's first box.
    b.Group("");
    for (std::size_t i = 0; i < kSignalCheckboxes.size(); ++i) {
        const ControlCaption& box = kSignalCheckboxes[i];
        const bool followed = i + 1 < kSignalCheckboxes.size() && *kSignalCheckboxes[i + 1].Caption == 0;
        if (*box.Caption != 0 && followed) b.BeginRow();
        b.Check(box.ControlId, box.Caption);
        const bool rowEnds = *box.Caption == 0 && !followed;
        if (rowEnds) b.EndRow();
    }
    b.Group("");
    b.Check(kEnableCrossbarBox.ControlId, kEnableCrossbarBox.Caption);
    b.Check(kDisableWeakPullUpBox.ControlId, kDisableWeakPullUpBox.Caption);
    b.Stretch();

    b.NextColumn();
    auto* pinMap = new QWidget(this);
    auto* grid = new QGridLayout(pinMap);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(2);
    BuildPinMap(grid);
    b.Add(pinMap);
    b.Stretch();

    b.NextColumn();
    b.Group("");
    for (auto [colour, text] : {std::pair{kAssignedColour, kLegendAssigned},
                                std::pair{kSkippedColour, kLegendSkipped}}) {
        b.BeginRow();
        b.Add(Swatch(colour, this));
        b.Label(0, text);
        b.EndRow();
    }
    for (const char* line : kLegendModeLines) b.Label(0, line);
    b.Group("");
    b.Label(kIdLargePackageNote, FixedPinNote(true));
    b.Label(kIdSmallPackageNote, FixedPinNote(false));
    b.Stretch();

    b.Preview();
}

void CPortIOCrossbarPropPage::BuildPinMap(QGridLayout* grid) {
    table_ = new QTableWidget(this);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setFocusPolicy(Qt::NoFocus);
    table_->setFrameShape(QFrame::NoFrame);
    table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_->horizontalHeader()->hide();
    table_->verticalHeader()->hide();
    QFont small = table_->font();
    small.setPixelSize(9);
    table_->setFont(small);
    Register(kPinTableId, table_, ControlKind::Table);

    // The pin columns of the table and the three rows of pin controls below
    // it share one grid layout: column 0 the row names, column p + 1 pin p,
    // each exactly as wide as its table column.
    const int nameWidth = Pixels(this, kNameColumnTwips);
    const int pinWidth = Pixels(this, kPinColumnTwips);
    grid->addWidget(table_, 0, 0, 1, kMaxPinCount + 1, Qt::AlignLeft | Qt::AlignTop);
    grid->setHorizontalSpacing(0);
    grid->setColumnMinimumWidth(0, nameWidth);

    const char* captions[] = {kSkipRowCaption, kAnalogDigitalRowCaption, kDriveRowCaption};
    for (int r = 0; r < 3; ++r) {
        auto* caption = new QLabel(ToQt(captions[r]), this);
        caption->setFont(small);
        caption->setWordWrap(true);
        caption->setFixedWidth(nameWidth);
        grid->addWidget(caption, r + 1, 0);
        for (int p = 0; p < kMaxPinCount; ++p) {
            QAbstractButton* w = nullptr;
            if (r == 0) {
                auto* box = new QCheckBox(this);
                Register(kFirstSkipId + p, box, ControlKind::Check);
                w = box;
            } else {
                auto* button = new QPushButton(this);
                button->setCheckable(true);
                button->setFont(small);
                button->setFixedHeight(pinWidth + 4);
                Register((r == 1 ? kFirstAnalogDigitalId : kFirstDriveId) + p, button,
                         ControlKind::Toggle);
                w = button;
            }
            w->setFixedWidth(pinWidth);
            w->setToolTip(ToQt(PinName(p)));
            grid->addWidget(w, r + 1, p + 1, Qt::AlignCenter);
        }
    }
    for (int p = 0; p < kMaxPinCount; ++p) grid->setColumnMinimumWidth(p + 1, pinWidth);
}

void CPortIOCrossbarPropPage::OnInitDialog() {
    // Models outside the large-package group have no UART1 and only pins
    // P0.0 .. P3.0 on the crossbar.
    const bool large = crossbar_.LargePackage();
    if (!large) {
        Show(kIdUart1, false);
        for (int p = kSmallPinCount; p < kLargePinCount; ++p)
            for (int first : {kFirstSkipId, kFirstAnalogDigitalId, kFirstDriveId}) Show(first + p, false);
    }
    Show(kIdLargePackageNote, large);
    Show(kIdSmallPackageNote, !large);
    CPropPage::OnInitDialog();
}

void CPortIOCrossbarPropPage::OnSetActive() {
    Refresh();
    RefreshPreview();
}

void CPortIOCrossbarPropPage::Refresh() {
    const CCrossbar::Refresh r = crossbar_.FullRefresh(*Record());
    DrawTable();
    ApplyStates(r.States);
    ApplyEnables(r.Enables);
}

void CPortIOCrossbarPropPage::ApplyStates(const ControlStates& states) {
    for (const CheckState& c : states.Checks) Check(c.ControlId, c.Checked);
    for (const ButtonState& s : states.Buttons) {
        Check(s.ControlId, s.Pressed);
        SetText(s.ControlId, s.Caption);
    }
}

void CPortIOCrossbarPropPage::ApplyEnables(const std::vector<CheckboxEnable>& enables) {
    for (const CheckboxEnable& e : enables)
        if (e.Action != EnableAction::Leave) Enable(e.CheckboxId, e.Action == EnableAction::Enable);
}

void CPortIOCrossbarPropPage::DrawTable() {
    const CrossbarDecode& decode = crossbar_.LastDecode();
    const auto& signalList = crossbar_.SignalList();
    const int pins = crossbar_.PinCount();
    const int rows = GridRowCount(static_cast<int>(signalList.size()));
    const int columns = GridColumnCount(pins);

    table_->clear();
    table_->setRowCount(rows);
    table_->setColumnCount(columns);
    const QColor header = palette().color(QPalette::Button);
    auto cell = [&](int row, int column, const std::string& text, bool fixed) {
        auto* item = new QTableWidgetItem(ToQt(text));
        item->setTextAlignment(column == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
        if (fixed) item->setBackground(header);
        table_->setItem(row, column, item);
        return item;
    };

    // Frame: port and bit above each pin column, the row names in column 0.
    cell(0, 0, "", true);
    cell(1, 0, kGridCornerText, true);
    for (int p = 0; p < pins; ++p) {
        cell(0, p + 1, GridPortHeader(p), true);
        cell(1, p + 1, GridBitHeader(p), true);
    }
    for (const CrossbarEntry& e : signalList) {
        cell(e.GridRow + kGridHeaderRows, 0, e.GridName, true);
        for (int p = 0; p < pins; ++p) cell(e.GridRow + kGridHeaderRows, p + 1, "", false);
    }

    for (int p : decode.SkippedPins)
        for (int r = kGridHeaderRows; r < rows; ++r)
            table_->item(r, p + 1)->setBackground(ToColour(kSkippedColour));
    for (const auto& c : decode.AssignedCells)
        table_->item(c.GridRow + kGridHeaderRows, c.Pin + 1)->setBackground(ToColour(kAssignedColour));

    // Sized to the content exactly.
    int width = 0, height = 0;
    for (int c = 0; c < columns; ++c) {
        const int w = Pixels(this, GridColumnTwips(c));
        table_->setColumnWidth(c, w);
        width += w;
    }
    const int rowHeight = Pixels(this, kRowTwips);
    for (int r = 0; r < rows; ++r) {
        table_->setRowHeight(r, rowHeight);
        height += rowHeight;
    }
    table_->setFixedSize(width + 1, height + 1);

    // What the table shows, one line per pin, for scripts and tests.
    std::string shown;
    for (int p = 0; p < pins; ++p) {
        std::string what = "-";
        for (int s : decode.SkippedPins)
            if (s == p) what = kSkippedGridName;
        for (const auto& c : decode.AssignedCells)
            if (c.Pin == p) what = signalList[static_cast<std::size_t>(c.GridRow)].GridName;
        shown += PinName(p) + " " + what + "\n";
    }
    table_->setProperty("zvText", ToQt(shown));
}

void CPortIOCrossbarPropPage::OnCommand(int id) {
    PeripheralRecord& rec = *Record();
    if (IsSignalId(id) || IsSkipId(id)) {
        const CCrossbar::Click click = crossbar_.ClickCheckbox(rec, id, IsChecked(id));
        if (!click.Handled) return;
        if (click.ControlStatesChanged) ApplyStates(crossbar_.ControlStatesOf(rec));
        RefreshPreview();
        DrawTable();
        ApplyEnables(click.Enables);
        return;
    }
    if (IsAnalogDigitalId(id) || IsDriveId(id)) {
        // Pin modes are not part of the placement: the table stays as it is.
        if (const CrossbarEntry* e = crossbar_.FindModeButton(id)) {
            const ButtonState s = ApplyModeButton(rec, *e, IsChecked(id));
            Check(id, s.Pressed);
            SetText(id, s.Caption);
            RefreshPreview();
        }
        return;
    }
    if (id == kIdEnableCrossbar || id == kIdDisableWeakPullUp) {
        SetBits(IsChecked(id), kXbr1Position,
                id == kIdEnableCrossbar ? xbr::kCrossbarEnable : xbr::kWeakPullUpDisable);
        RefreshPreview();
        return;
    }
    CPropPage::OnCommand(id);
}

void CPortIOCrossbarPropPage::OnOK() {
    PeripheralRecord& rec = *Record();
    if (NeedsCrossbarQuestion(rec) &&
        TheUi().Message(kCrossbarQuestion, MsgButtons::YesNo, MsgIcon::None) == MsgResult::Yes)
        EnableCrossbar(rec);
    crossbar_.BuildPinComment(rec);
}

// ---------------------------------------------------------------------------
// Port 4 page

CPortIOInOutPropPage::CPortIOInOutPropPage()
    : CPropPage(kPort4PageCaption),
      analogDigital_(BuildPort4AnalogDigitalList()),
      drive_(BuildPort4DriveList()) {
    PageBuilder b(this, this);
    b.Group(kPort4GroupCaption);
    // Bit 7 on the left, bit 0 on the right, each bit's two buttons in a column.
    b.BeginRow();
    b.Label(0, kAnalogDigitalRowCaption);
    for (const CrossbarEntry& e : analogDigital_) b.Toggle(e.CheckboxId, "")->setToolTip(Port4PinName(e));
    b.EndRow();
    b.BeginRow();
    b.Label(0, kDriveRowCaption);
    for (const CrossbarEntry& e : drive_) b.Toggle(e.CheckboxId, "")->setToolTip(Port4PinName(e));
    b.EndRow();
    b.Stretch();
    b.Preview();
}

void CPortIOInOutPropPage::Refresh() {
    for (const auto* list : {&analogDigital_, &drive_})
        for (const CrossbarEntry& e : *list) {
            const ButtonState s = ModeButtonState(*Record(), e);
            Check(s.ControlId, s.Pressed);
            SetText(s.ControlId, s.Caption);
        }
}

void CPortIOInOutPropPage::OnSetActive() {
    Refresh();
    RefreshPreview();
}

void CPortIOInOutPropPage::OnCommand(int id) {
    for (const auto* list : {&analogDigital_, &drive_})
        for (const CrossbarEntry& e : *list)
            if (e.CheckboxId == id) {
                const ButtonState s = ApplyModeButton(*Record(), e, IsChecked(id));
                Check(id, s.Pressed);
                SetText(id, s.Caption);
                RefreshPreview();
                return;
            }
    CPropPage::OnCommand(id);
}

std::vector<std::unique_ptr<CPropPage>> MakePortIOPages(bool largePackage,
                                                        const PeripheralRecord& spi0) {
    std::vector<std::unique_ptr<CPropPage>> pages;
    pages.push_back(std::make_unique<CPortIOCrossbarPropPage>(largePackage, spi0));
    if (largePackage) pages.push_back(std::make_unique<CPortIOInOutPropPage>());
    return pages;
}
