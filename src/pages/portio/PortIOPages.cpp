#include "pages/portio/PortIOPages.h"

#include <algorithm>

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

#include "devices/Registers.h"
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

// A pin-mode button as its bit says: pressed or not, and its letter.
void ShowButton(CNumberedControls& page, const ButtonState& s) {
    page.Check(s.ControlId, s.Pressed);
    page.SetText(s.ControlId, s.Caption);
}

// "P4.n" of a port 4 button's bit.
// What the crossbar's boxes without a caption put on the crossbar.
const char* CaptionlessBoxTip(int id) {
    switch (id) {
        case kIdCp0A: return "CP0A: Comparator 0 asynchronous output";
        case kIdCp1A: return "CP1A: Comparator 1 asynchronous output";
        case kIdCex0 + 1: return "CEX1: PCA module 1";
        case kIdCex0 + 2: return "CEX2: PCA module 2";
        case kIdCex0 + 3: return "CEX3: PCA module 3";
        case kIdCex0 + 4: return "CEX4: PCA module 4";
        default: return nullptr;
    }
}

QString Port4PinName(const CrossbarEntry& e) {
    int bit = 0;
    while (bit < 7 && (e.Mask >> bit) != 1) ++bit;
    return QString("P4.%1").arg(bit);
}

}  // namespace

// ---------------------------------------------------------------------------
// Crossbar page

CPortIOCrossbarPropPage::CPortIOCrossbarPropPage(PageContext& context)
    : CPortIOCrossbarPropPage(context.LargePackage(), context.Record(Pid::Spi)) {
    SetContext(&context);
}

CPortIOCrossbarPropPage::CPortIOCrossbarPropPage(bool largePackage, const PeripheralRecord& spi0)
    : CPropPage(kCrossbarPageCaption), crossbar_(largePackage, spi0) {
    PageBuilder b = Builder();

    // The peripherals that can be put on the crossbar, in priority order;
    // boxes without a caption stand beside their peripheral's first box.
    b.Group("");
    for (std::size_t i = 0; i < kSignalCheckboxes.size(); ++i) {
        const ControlCaption& box = kSignalCheckboxes[i];
        const bool followed = i + 1 < kSignalCheckboxes.size() && *kSignalCheckboxes[i + 1].Caption == 0;
        if (*box.Caption != 0 && followed) b.BeginRow();
        QCheckBox* check = b.Check(box.ControlId, box.Caption);
        if (const char* tip = CaptionlessBoxTip(box.ControlId)) check->setToolTip(QString::fromLatin1(tip));
        const bool rowEnds = *box.Caption == 0 && !followed;
        if (rowEnds) b.EndRow();
    }
    b.Group("");
    b.Check(kEnableCrossbarBox.ControlId, kEnableCrossbarBox.Caption);
    b.Check(kDisableWeakPullUpBox.ControlId, kDisableWeakPullUpBox.Caption);
    b.Stretch();

    b.NextColumn();
    auto* pinMap = new QWidget(this);
    BuildPinMap(pinMap);
    b.Add(pinMap);
    b.Stretch();

    b.NextColumn();
    b.Group("");
    for (auto [colour, text] : {std::pair{kAssignedColour, kLegendAssigned},
                                std::pair{kSkippedColour, kLegendSkipped}}) {
        b.BeginRow();
        b.Add(Swatch(colour, this));
        b.Label(0, text)->setWordWrap(false);
        b.EndRow();
    }
    for (const char* line : kLegendModeLines) b.Label(0, line)->setWordWrap(false);
    b.Group("");
    b.Label(kIdLargePackageNote, FixedPinNote(true))->setWordWrap(false);
    b.Label(kIdSmallPackageNote, FixedPinNote(false))->setWordWrap(false);
    b.Stretch();

    // Short, so that the sheet with its pin map fits a laptop's screen.
    b.Preview(4);
}

void CPortIOCrossbarPropPage::BuildPinMap(QWidget* map) {
    table_ = new QTableWidget(map);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setFocusPolicy(Qt::NoFocus);
    table_->setFrameShape(QFrame::NoFrame);
    table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Hidden headers still clamp sections to their minimum size; the grid's
    // pin columns are narrower than that.
    for (QHeaderView* h : {table_->horizontalHeader(), table_->verticalHeader()}) {
        h->hide();
        h->setMinimumSectionSize(1);
        h->setSectionResizeMode(QHeaderView::Fixed);
    }
    QFont small = table_->font();
    small.setPixelSize(9);
    table_->setFont(small);
    // "P3" stands above the single column of port 3 on the 25-pin models:
    // better slightly clipped than elided to "...".
    table_->setTextElideMode(Qt::ElideNone);
    Register(kPinTableId, table_, ControlKind::Table);

    // Rows and columns are fixed for the life of the sheet, so the table's
    // size is too: the sum of its columns and rows, plus one pixel.
    const int pins = crossbar_.PinCount();
    const int rows = GridRowCount(static_cast<int>(crossbar_.SignalList().size()));
    table_->setRowCount(rows);
    table_->setColumnCount(GridColumnCount(pins));
    int width = 0;
    for (int c = 0; c < GridColumnCount(pins); ++c) {
        table_->setColumnWidth(c, Pixels(this, GridColumnTwips(c)));
        width += table_->columnWidth(c);
    }
    const int rowHeight = Pixels(this, kRowTwips);
    for (int r = 0; r < rows; ++r) table_->setRowHeight(r, rowHeight);
    table_->setFixedSize(width + 1, rows * rowHeight + 1);

    // Below the table, the skip boxes and the two rows of mode buttons stand
    // exactly under the pin columns; their captions reach left of the table.
    const char* captions[] = {kSkipRowCaption, kAnalogDigitalRowCaption, kDriveRowCaption};
    const QFontMetrics fm(font());
    const int nameWidth = Pixels(this, kNameColumnTwips);
    const int pinWidth = Pixels(this, kPinColumnTwips);
    int captionWidth = nameWidth;
    for (const char* c : captions) captionWidth = std::max(captionWidth, fm.horizontalAdvance(ToQt(c)) + 6);
    const int firstPinX = captionWidth;
    table_->move(firstPinX - nameWidth, 0);

    const int stripHeight = std::max(fm.height(), pinWidth) + 6;
    int y = table_->height() + 4;
    for (int r = 0; r < 3; ++r, y += stripHeight) {
        auto* caption = new QLabel(ToQt(captions[r]), map);
        caption->setGeometry(0, y, captionWidth - 4, stripHeight);
        for (int p = 0; p < kMaxPinCount; ++p) {
            QAbstractButton* w = nullptr;
            if (r == 0) {
                w = new QCheckBox(map);
                Register(kFirstSkipId + p, w, ControlKind::Check);
            } else {
                auto* button = new QPushButton(map);
                button->setCheckable(true);
                button->setFont(small);
                Register((r == 1 ? kFirstAnalogDigitalId : kFirstDriveId) + p, button, ControlKind::Toggle);
                w = button;
            }
            w->setToolTip(ToQt(PinName(p)));
            w->setGeometry(firstPinX + p * pinWidth, y, pinWidth, stripHeight - 2);
        }
    }
    map->setFixedSize(firstPinX + pins * pinWidth + 1, y);
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
        ShowButton(*this, s);
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

    table_->clearContents();
    table_->clearSpans();
    const QColor header = palette().color(QPalette::Button);
    auto cell = [&](int row, int column, const std::string& text, bool fixed) {
        auto* item = new QTableWidgetItem(ToQt(text));
        item->setTextAlignment(column == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
        if (fixed) item->setBackground(header);
        table_->setItem(row, column, item);
        return item;
    };

    // Frame: the port once across its pins, the bit above each pin column,
    // the row names in column 0.
    cell(0, 0, "", true);
    cell(1, 0, kGridCornerText, true);
    for (int p = 0; p < pins; ++p) {
        cell(0, p + 1, GridPortHeader(p), true);
        cell(1, p + 1, GridBitHeader(p), true);
        if (PinBit(p) == 0 && pins - p > 1) table_->setSpan(0, p + 1, 1, std::min(8, pins - p));
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

    // What the table shows, one line per pin, for scripts and tests.
    std::vector<std::string> what(static_cast<std::size_t>(pins), "-");
    for (int p : decode.SkippedPins) what[static_cast<std::size_t>(p)] = kSkippedGridName;
    for (const auto& c : decode.AssignedCells)
        what[static_cast<std::size_t>(c.Pin)] = signalList[static_cast<std::size_t>(c.GridRow)].GridName;
    std::string shown;
    for (int p = 0; p < pins; ++p) shown += PinName(p) + " " + what[static_cast<std::size_t>(p)] + "\n";
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
            ShowButton(*this, ApplyModeButton(rec, *e, IsChecked(id)));
            RefreshPreview();
        }
        return;
    }
    if (id == kIdEnableCrossbar || id == kIdDisableWeakPullUp) {
        SetBits(IsChecked(id), PortIOReg::XBR1,
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
    PageBuilder b = Builder();
    b.Group(kPort4GroupCaption);
    // A grid: the pin names over their columns (bit 7 on the left, bit 0 on
    // the right), each bit's two buttons in its column, the row captions on
    // one line each in front.
    auto* grid = new QWidget(this);
    auto* layout = new QGridLayout(grid);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setHorizontalSpacing(4);
    const std::pair<const char*, const std::vector<CrossbarEntry>*> rows[] = {
        {kAnalogDigitalRowCaption, &analogDigital_}, {kDriveRowCaption, &drive_}};
    for (int r = 0; r < 2; ++r) {
        auto* caption = new QLabel(QString::fromLatin1(rows[r].first), grid);
        layout->addWidget(caption, r + 1, 0);
        const auto& entries = *rows[r].second;
        for (std::size_t c = 0; c < entries.size(); ++c) {
            const CrossbarEntry& e = entries[c];
            const int column = static_cast<int>(c) + 1;
            if (r == 0) {
                auto* pin = new QLabel(Port4PinName(e), grid);
                pin->setAlignment(Qt::AlignCenter);
                layout->addWidget(pin, 0, column);
            }
            auto* button = new QPushButton(grid);
            button->setCheckable(true);
            button->setToolTip(Port4PinName(e));
            button->setMinimumWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("P4.0")) + 16);
            Register(e.CheckboxId, button, ControlKind::Toggle);
            layout->addWidget(button, r + 1, column);
        }
    }
    layout->setColumnStretch(static_cast<int>(analogDigital_.size()) + 1, 1);
    b.Add(grid);
    // What the button letters mean, as the crossbar page's legend says.
    b.Group("");
    for (const char* line : kLegendModeLines) b.Label(0, line)->setWordWrap(false);
    b.Preview();
}

void CPortIOInOutPropPage::Refresh() {
    for (const auto* list : {&analogDigital_, &drive_})
        for (const CrossbarEntry& e : *list) ShowButton(*this, ModeButtonState(*Record(), e));
}

void CPortIOInOutPropPage::OnSetActive() {
    Refresh();
    RefreshPreview();
}

void CPortIOInOutPropPage::OnCommand(int id) {
    for (const auto* list : {&analogDigital_, &drive_})
        for (const CrossbarEntry& e : *list)
            if (e.CheckboxId == id) {
                ShowButton(*this, ApplyModeButton(*Record(), e, IsChecked(id)));
                RefreshPreview();
                return;
            }
    CPropPage::OnCommand(id);
}
