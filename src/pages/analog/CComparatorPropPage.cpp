#include "pages/analog/CComparatorPropPage.h"

#include <QComboBox>
#include <QLabel>
#include <QHBoxLayout>
#include <QSlider>

#include "pages/analog/InputMarks.h"

using namespace comparator;

namespace {

constexpr int kPositiveHysteresisIds[] = {11257, 11258, 11259, 11260};
constexpr int kNegativeHysteresisIds[] = {11261, 11262, 11263, 11264};
constexpr const char* kHysteresisCaptions[] = {"Disabled", "5 mV", "10 mV", "20 mV"};

QLabel* PlainLabel(const char* text, QWidget* parent) {
    return new QLabel(CNumberedControls::ToQt(text), parent);
}

}  // namespace

CComparatorPropPage::CComparatorPropPage(PageContext& context, const Instance& instance)
    : CPropPage(context, instance.PageCaption),
      instance_(instance),
      portIO_(&context.Record(Pid::PortIO)),
      interrupts_(&context.Record(Pid::Interrupts)),
      largePackage_(context.LargePackage()) {
    PageBuilder b = Builder();
    b.Group("");
    b.Check(kEnableId, instance.EnableCaption).Bit(instance.CnPosition, kEnable);
    b.Group("Positive Hysteresis:");
    for (int i = 0; i < 4; ++i)
        b.Radio(kPositiveHysteresisIds[i], kHysteresisCaptions[i])
            .Field(instance.CnPosition, kPositiveHysteresis, static_cast<std::uint8_t>(i << 2));
    b.Group("Negative Hysteresis:");
    for (int i = 0; i < 4; ++i)
        b.Radio(kNegativeHysteresisIds[i], kHysteresisCaptions[i])
            .Field(instance.CnPosition, kNegativeHysteresis, static_cast<std::uint8_t>(i));
    b.Group("Comparator Response Time");
    QSlider* slider = b.Slider(kResponseTimeId, 0, kResponseSteps - 1);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setTickInterval(1);
    slider->setPageStep(1);
    // The two ends of the scale under the slider's ends, apart however
    // narrow the column.
    auto* ends = new QWidget(this);
    auto* row = new QHBoxLayout(ends);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(24);
    row->addWidget(PlainLabel("Fastest Response Time", ends));
    row->addStretch(1);
    row->addWidget(PlainLabel("Lowest Power Consumption", ends));
    b.Add(ends);
    b.Stretch();

    b.NextColumn();
    b.Group("Inputs");
    b.List(kPositiveInputId, "Positive Input:", {});
    b.Status(kPositiveStatusId);
    b.List(kNegativeInputId, "Negative Input:", {});
    b.Status(kNegativeStatusId);
    b.Group("Interrupts");
    b.Check(kRisingEdgeId, "Enable Rising Edge Interrupt").Bit(instance.MdPosition, kRisingEdge);
    b.Check(kFallingEdgeId, "Enable Falling Edge Interrupt").Bit(instance.MdPosition, kFallingEdge);
    b.Status(kInterruptTextId);
    b.Button(kConfigureInterruptsId, "Configure CP Interrupts");
    b.Group("Outputs");
    b.Status(instance.OutputTextId);
    b.Status(instance.AsyncTextId);
    b.Button(kConfigurePortIOId, "Configure Port I/O");
    b.Stretch();
    b.Preview();
}

const InputList& CComparatorPropPage::Inputs(int listId) const {
    return listId == kPositiveInputId ? PositiveInputs(instance_, largePackage_)
                                      : NegativeInputs(instance_, largePackage_);
}

void CComparatorPropPage::FillInputs() {
    const int selected[2] = {PositiveItem(instance_, *Record()),
                             NegativeItem(instance_, *Record())};
    const int lists[2] = {kPositiveInputId, kNegativeInputId};
    for (int l = 0; l < 2; ++l) {
        std::vector<std::string> names;
        std::vector<analog::PinState> states;
        for (const InputPin& pin : Inputs(lists[l])) {
            names.push_back(pin.Name);
            states.push_back(InputPinState(*portIO_, pin));
        }
        SetItems(lists[l], names);
        MarkInputItems(qobject_cast<QComboBox*>(Control(lists[l])), states);
        Select(lists[l], selected[l]);
    }
}

void CComparatorPropPage::ShowPinStatus(int listId) {
    const int statusId = listId == kPositiveInputId ? kPositiveStatusId : kNegativeStatusId;
    const int item = Selected(listId);
    if (item < 0 || item >= kInputCount) {
        SetText(statusId, "");
        return;
    }
    SetText(statusId, analog::PinStatusText(
                          InputPinState(*portIO_, Inputs(listId)[static_cast<std::size_t>(item)])));
}

void CComparatorPropPage::ShowOutputs() {
    SetText(instance_.OutputTextId, OutputText(instance_, *portIO_));
    SetText(instance_.AsyncTextId, AsyncOutputText(instance_, *portIO_));
}

void CComparatorPropPage::Refresh() {
    FillInputs();
    RefreshBound();
    SetSliderPos(kResponseTimeId, Value(instance_.MdPosition) & kResponseTime);
    SetText(kInterruptTextId, InterruptText(instance_, *interrupts_));
    ShowOutputs();
    ShowPinStatus(kPositiveInputId);
    ShowPinStatus(kNegativeInputId);
}

void CComparatorPropPage::ResetRegisters() {
    ResetComparators(*Record());
}

void CComparatorPropPage::OnCommand(int id) {
    switch (id) {
        case kEnableId:
            SetBits(IsChecked(id), instance_.CnPosition, kEnable);
            ApplyStartUp(*Record(), instance_);
            RefreshPreview();
            break;
        case kConfigureInterruptsId:
            if (Ctx().OpenSheet(SheetId::Interrupts))
                SetText(kInterruptTextId, InterruptText(instance_, *interrupts_));
            break;
        case kConfigurePortIOId:
            if (Ctx().OpenSheet(SheetId::PortIO)) {
                ShowOutputs();
                // The marks in the lists follow the new pin modes.
                FillInputs();
                ShowPinStatus(kPositiveInputId);
                ShowPinStatus(kNegativeInputId);
            }
            break;
        default:
            CPropPage::OnCommand(id);
    }
}

void CComparatorPropPage::OnSelChange(int id) {
    if (id != kPositiveInputId && id != kNegativeInputId) return CPropPage::OnSelChange(id);
    const bool positive = id == kPositiveInputId;
    SetField(instance_.MxPosition, positive ? kPositiveInput : kNegativeInput, 0);
    const int item = Selected(id);
    if (item >= 0 && item < kInputCount) {
        SetBits(1, instance_.MxPosition, static_cast<std::uint8_t>(positive ? item : item << 4));
        ShowPinStatus(id);
    }
    RefreshPreview();
}

void CComparatorPropPage::OnSlide(int id, int pos, bool ended) {
    if (id != kResponseTimeId) return;
    // Only the end of a move is written; keyboard and page steps are moves
    // that end at once.
    auto* slider = qobject_cast<QSlider*>(Control(id));
    if (!ended && slider && slider->isSliderDown()) return;
    if (pos < 0 || pos >= kResponseSteps) return;
    SetField(instance_.MdPosition, kResponseTime, static_cast<std::uint8_t>(pos));
    RefreshPreview();
}
