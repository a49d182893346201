// The code window and the clock tree after every dialog: regenerate the text, scan it for
// comments and literals, and put it into the widget with its formats. Measured
// on a project in which every record is written and the Port I/O comment is
// present, the longest text a user sees.

#include <benchmark/benchmark.h>

#include <QImage>

#include "devices/Q7R2xDoc.h"
#include "framework/CApplication.h"
#include "framework/CMainFrame.h"
#include "model/Ui.h"
#include "plugin/CProjectDocument.h"
#include "view/CClockTreeWidget.h"
#include "view/CQ7R2xView.h"
#include "view/Colorize.h"

namespace {

void MakeBusy(CDeviceDocument& doc) {
    for (auto& [id, rec] : doc.DeviceData.Peripherals)
        for (auto& e : rec.Registers) e.Value = static_cast<std::uint8_t>(e.ResetValue ^ 0x5A);
    std::string comment;
    for (int pin = 0; pin < 32; ++pin)
        comment += "    // P" + std::to_string(pin / 8) + "." + std::to_string(pin % 8) +
                   "  -  Unassigned,  Open-Drain, Digital\r\n";
    doc.DeviceData.Peripherals[13].CPrologue = comment + "\r\n";
}

void BM_ColorizeScan(benchmark::State& state) {
    auto doc = NewProject(0);
    MakeBusy(*doc);
    doc->DeviceData.CodeFormat = static_cast<int>(state.range(0));
    const std::string text = doc->GenerateSource();
    for (auto _ : state) benchmark::DoNotOptimize(colorize::Scan(text, state.range(0) != 0));
}
BENCHMARK(BM_ColorizeScan)->Arg(0)->Arg(1);

class NoFrame : public CMainFrame {
public:
    CView* view = nullptr;
    CView* GetActiveView() const override { return view; }
    void CheckMenuItem(int, bool) override {}
    bool IsMenuItemChecked(int) const override { return false; }
    QWidget* Window() override { return nullptr; }
};

void BM_UpdateCodeWindow(benchmark::State& state) {
    CApplication app;
    NoFrame frame;
    app.SetMainFrame(&frame);
    CProjectDocument doc(CreateModelDocument(0));
    doc.OnNewDocument();
    MakeBusy(*doc.DeviceDocument());
    CQ7R2xView view;
    view.SetDocument(&doc);
    frame.view = &view;
    view.OnInitialUpdate();
    for (auto _ : state) view.UpdateCodeWindow();
    frame.view = nullptr;
}
BENCHMARK(BM_UpdateCodeWindow)->Unit(benchmark::kMillisecond);

// The clock tree after a change: the model and its layout computed from the
// project, then the whole drawing painted at the size of a project window on
// a 1366 x 768 screen. A frame is 16.7 ms.
void BM_ClockTreeRedraw(benchmark::State& state) {
    auto doc = NewProject(0);
    MakeBusy(*doc);
    CClockTreeWidget widget;
    widget.resize(1340, 600);
    QImage image(widget.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        widget.ShowProject(*doc);
        widget.render(&image);
    }
}
BENCHMARK(BM_ClockTreeRedraw)->Unit(benchmark::kMillisecond);

}  // namespace
