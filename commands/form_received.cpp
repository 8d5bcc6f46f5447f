#include "commands/form_received.h"

#include <windows.h>

#include <exception>
#include <optional>
#include <vector>

#include "commands/form_progress.h"
#include "commands/window_position.h"
#include "engine/lists.h"
#include "engine/networks.h"
#include "engine/text_error.h"
#include "hostapi/plugin_state.h"
#include "texts/catalog.h"
#include "texts/fill.h"
#include "ui/buttons.h"
#include "ui/form.h"
#include "ui/grid.h"
#include "win32/message_box.h"
#include "win32/message_pump.h"

namespace quorn {

std::unique_ptr<TFormReceived> FormReceived;
HopList ReceivedHops;

namespace {

const char kSection[] = "FormReceived";
constexpr COLORREF kSpamColour = RGB(255, 0, 0);

struct Controls {
  ui::Grid* grid = nullptr;
  ui::Button* buttonOk = nullptr;
};

std::vector<ui::ControlSpec> Table(Controls& c) {
  return {
      ui::Bound(c.grid, {"DrawGrid1", ui::Kind::Grid, "", 0, 0, 432, 161, 0, ui::kAnchorsAll}),
      // Both buttons stand 8 pixels above the client area's bottom.
      ui::Bound(c.buttonOk, {"ButtonOk", ui::Kind::Button, texts::kInspectAddButton, 152, 173, 179, 25, 1,
                             ui::kAnchorRight | ui::kAnchorBottom, nullptr, ui::kDefaultButton | ui::kClosesOk}),
      {"ButtonCancel", ui::Kind::Button, texts::kInspectCancelButton, 344, 173, 75, 25, 2,
       ui::kAnchorRight | ui::kAnchorBottom, nullptr, ui::kCancelButton | ui::kClosesCancel},
  };
}

ui::FormArgs Design() {
  ui::FormArgs args;
  args.designName = kSection;
  args.caption = texts::kInspectCaption;
  args.left = 253;
  args.top = 152;
  args.clientWidth = 432;
  args.clientHeight = 206;
  args.frame = ui::Frame::ToolWindow;
  args.resizable = true;
  return args;
}

const char* const kHeaderTexts[] = {"", texts::kInspectColumnAddress, texts::kInspectColumnClass,
                                    texts::kInspectColumnHost};

std::string CellText(const ippack& hop, int column) {
  switch (column) {
    case 0: return hop.deciding ? "*" : "";
    case 1: return hop.ip;
    case 2: return ClassText(hop.code);
    case 3: return hop.host;
    default: return "";
  }
}

}  // namespace

struct TFormReceived::Window {
  Window() : form(Design(), Table(controls)), grid(controls.grid), buttonOk(controls.buttonOk) {
    grid->SetColumnCount(4);
    grid->SetRowCount(2);
    grid->onDrawCell = [this](ui::GridCanvas& canvas, int column, int row, const RECT& cell, ui::GridCellState) {
      DrawGrid1DrawCell(canvas, column, row, cell);
    };
    grid->onSelectCell = [this](int, int row) {
      DrawGrid1SelectCell(row);
      return true;
    };
    buttonOk->onClick = [this] { ButtonOkClick(); };
    buttonOk->SetEnabled(false);  // no hop listed yet
    form.onShow = [this] { FormShow(); };
    form.onClose = [this] { FormClose(); };
    form.onResize = [this] { FormResize(); };
    form.onIdle = [this] { ApplicationIdle(); };
    FormResize();
  }

  void FormShow() {
    const RECT at = form.Bounds();
    const WindowCorner corner = ReadWindowCorner(FormMain ? FormMain->IniPath : std::string(), kSection,
                                                 {static_cast<int>(at.top), static_cast<int>(at.left)});
    form.SetPosition(corner.left, corner.top);
    form.KeepOnWorkArea();
    grid->SetColumnWidth(0, 10);
    grid->SetColumnWidth(1, 100);
    grid->SetColumnWidth(2, 100);
    FormResize();
    // Nothing can be added until the fill has listed and classified the hops.
    buttonOk->SetEnabled(false);
    fillPending = true;
  }

  void FormClose() {
    if (filling) closedDuringFill = true;
    if (!FormMain) return;
    const RECT at = form.Bounds();
    WriteWindowCorner(*FormMain, FormMain->IniPath, kSection,
                      {static_cast<int>(at.top), static_cast<int>(at.left)});
  }

  void FormResize() {
    const int rest = grid->ClientWidth() - grid->ColumnWidth(0) - grid->ColumnWidth(1) - grid->ColumnWidth(2) -
                     grid->GridLineWidth();
    grid->SetColumnWidth(3, rest);
  }

  // Lets the user's input through before a relay is classified; false once
  // the window was closed (or the host quits), so that the fill stops.
  bool ProcessMessages() {
    if (PumpWaitingMessages([this] { return closedDuringFill; }) == Pumped::Quit) closedDuringFill = true;
    return !closedDuringFill;
  }

  void ApplicationIdle() {
    if (!fillPending) return;
    fillPending = false;
    filling = true;
    closedDuringFill = false;
    try {
      Fill();
    } catch (...) {
      // Fill reports its own errors; this is the last line before the host.
    }
    filling = false;
  }

  void Fill() {
    // What the fill reads is fixed when it starts: the settings window may
    // replace the lists while a lookup waits.
    const ListSnapshot lists = ListSnapshot::Take();
    ReceivedHops.clear();
    grid->SetRowCount(2);
    grid->Repaint();

    ListedRelays listed = ReadRelays(header, lists);
    ReceivedHops = std::move(listed.hops);
    if (listed.error) ShowMessage(*listed.error, MessageKind::Error);

    std::optional<std::string> error;
    if (!closedDuringFill && FormMain && FormProgress) {
      ProgressShown progress(static_cast<int>(ReceivedHops.size()));
      try {
        ClassifyHops(*FormMain, ReceivedHops, lists, [this](const ippack& hop) {
          FormProgress->StepIt();
          if (!NeedsClassifying(hop)) return !closedDuringFill;
          return ProcessMessages();
        });
      } catch (const TextError& e) {
        error = e.what();
      } catch (const std::exception&) {
        error = texts::kInspectFailed;
      }
      progress.Hide();
    }
    MarkSpamHops(ReceivedHops, FormMain && FormMain->ReverseLookup);
    filling = false;

    // A window closed meanwhile is gone: its grid is left alone. The error
    // of the hop that was under way is still the user's to know.
    if (!closedDuringFill) {
      grid->SetRowCount(ReceivedHops.empty() ? 2 : static_cast<int>(ReceivedHops.size()) + 1);
      UpdateButtonOk(grid->Row());
      grid->Repaint();
    }
    if (error) ShowMessage(*error, MessageKind::Error);
  }

  const ippack* HopOfRow(int row) const {
    if (row < 1 || static_cast<std::size_t>(row - 1) >= ReceivedHops.size()) return nullptr;
    return ReceivedHops[static_cast<std::size_t>(row - 1)].get();
  }

  // The button adds only an address the settings window would accept.
  void UpdateButtonOk(int row) {
    const ippack* hop = HopOfRow(row);
    buttonOk->SetEnabled(!filling && hop && CanExclude(*hop));
  }

  void DrawGrid1DrawCell(ui::GridCanvas& canvas, int column, int row, const RECT& cell) {
    std::string text;
    if (row == 0) {
      text = column >= 0 && column < 4 ? kHeaderTexts[column] : "";
    } else {
      const ippack* hop = HopOfRow(row);
      if (!hop) return;
      if (hop->spam) canvas.SetTextColour(kSpamColour);
      text = CellText(*hop, column);
    }
    canvas.Text(cell.left + 2, cell.top + 2, text);
  }

  void DrawGrid1SelectCell(int row) {
    if (!filling) UpdateButtonOk(row);
  }

  void ButtonOkClick() {
    const ippack* chosen = filling ? nullptr : HopOfRow(grid->Row());
    if (!chosen || !CanExclude(*chosen) || !FormMain) return;
    const std::string address = chosen->ip;  // the box lets other handlers run
    if (!ShowMessage(texts::Filled(texts::kInspectAddQuestion, {address}), MessageKind::Question)) return;
    TextLines lines = Skip.Current()->Lines();
    lines.push_back(address);
    Skip.Replace(std::move(lines));
    BuildSkipNetworks();
    // Saved at once: the save at unload could not report a failure.
    if (FormMain->IniPath.empty()) return;
    try {
      FormMain->SaveSettings(FormMain->IniPath);
    } catch (const TextError& e) {
      ShowMessage(e.what(), MessageKind::Error);
    }
  }

  Controls controls;  // before the form, which fills it
  ui::Form form;
  ui::Grid* const grid;
  ui::Button* const buttonOk;
  std::string header;
  bool fillPending = false;
  bool filling = false;
  bool closedDuringFill = false;
};

TFormReceived::TFormReceived() : window_(std::make_unique<Window>()) {}
TFormReceived::~TFormReceived() = default;

void TFormReceived::SetHeader(const std::string& text) { window_->header = text; }
void TFormReceived::ShowModal() { window_->form.ShowModal(); }

}  // namespace quorn
