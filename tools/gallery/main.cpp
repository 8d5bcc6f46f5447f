// quorn-gallery OUTDIR: shows the plug-in's windows in the states a user
// meets them and writes a BMP picture of each into OUTDIR (nothing under
// Wine's null graphics driver). The windows are the plug-in's own classes,
// linked in; the host simulator's screenshot routine takes the pictures.
//
//   progress.bmp       the progress window during a run, 4 of 10 judged
//   folder-chooser.bmp the folder chooser over a small data folder of its
//                      own, Junk\Spam pre-selected
//
// The commands' own pictures (the progress window in a real run, the report
// boxes) come from the host simulator: samples/pictures.scenario.
//
// quorn-gallery --paint-cost N: the time of N steps of the shown progress
// window as the commands make them (a paint at most every 100 ms), and with
// a paint after every step, for comparison.
#include <windows.h>

#include <cstdio>
#include <string>

#include "commands/form_progress.h"
#include "settings/form_folder.h"
#include "sim/window_shot.h"
#include "ui/design_name.h"
#include "win32/text_convert.h"

namespace {

std::string OutDir;

void Shot(HWND window, const char* name) {
  std::string path = OutDir + "\\" + name;
  std::printf("%s: %s\n", name, sim::TakeWindowShot(window, path).c_str());
}

void PumpFor(DWORD ms) {
  const DWORD end = GetTickCount() + ms;
  while (GetTickCount() < end) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    Sleep(10);
  }
}

// A data folder in the temporary folder with a mailbox of a few folders.
const wchar_t* const kGalleryFolders[] = {L"",
                                          L"MailBox1",
                                          L"MailBox1\\!Trash",
                                          L"MailBox1\\Junk",
                                          L"MailBox1\\Junk\\Spam",
                                          L"MailBox1\\ソフト",
                                          L"MailBox1\\ソフト\\表計算",
                                          L"MailBox1\\能力",
                                          L"MailBox1\\Spam"};

std::wstring GalleryDataFolder() {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  return std::wstring(temp) + L"quorn-gallery-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
}

// A timer procedure: stdcall on 32-bit Windows, which no lambda converts to.
void CALLBACK ShootOpenChooser(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  HWND window = quorn::ui::FindThreadWindow(L"FormFolder");
  Shot(window, "folder-chooser.bmp");
  PostMessageW(window, WM_CLOSE, 0, 0);
}

void ShootFolderChooser() {
  const std::wstring data = GalleryDataFolder();
  for (const wchar_t* folder : kGalleryFolders) CreateDirectoryW((data + folder).c_str(), nullptr);
  quorn::TFormFolder chooser;
  quorn::HostAnsiFromWide(data, chooser.DataFolder);
  chooser.MailBox = "MailBox1\\";
  chooser.RootCaption = "MailBox1";
  chooser.CurrentFolderText = "MailBox1\\Junk\\Spam\\";
  chooser.SetPosition(40, 40);
  SetTimer(nullptr, 0, 500, ShootOpenChooser);
  chooser.ShowModal();
  for (auto folder = std::rbegin(kGalleryFolders); folder != std::rend(kGalleryFolders); ++folder) {
    RemoveDirectoryW((data + *folder).c_str());
  }
}

}  // namespace

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

int PaintCost(int steps) {
  quorn::TFormProgress progress;
  HWND window = FindWindowW(L"QuornForm", nullptr);
  for (bool everyStep : {false, true}) {
    progress.Show();
    progress.SetPosition(0);
    progress.SetMax(steps);
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < steps; ++i) {
      progress.StepIt();
      if (everyStep) RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    QueryPerformanceCounter(&end);
    progress.Hide();
    double ms = Milliseconds(start, end);
    if (everyStep) {
      std::printf("paint every step: %d steps in %.1f ms (%.2f us a step)\n", steps, ms, 1000.0 * ms / steps);
      break;
    }
    std::printf("%s: %d steps in %.1f ms (%.2f us a step)\n", everyStep ? "paint every step" : "as shipped",
                steps, ms, 1000.0 * ms / steps);
  }
  return 0;
}

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--paint-cost") return PaintCost(std::stoi(argv[2]));
  if (argc != 2) {
    std::fputs("usage: quorn-gallery OUTDIR\n", stderr);
    return 2;
  }
  OutDir = argv[1];
  quorn::TFormProgress progress;
  progress.Show();
  progress.SetPosition(0);
  progress.SetMax(10);
  for (int i = 0; i < 4; ++i) progress.StepIt();
  PumpFor(500);
  Shot(FindWindowW(L"QuornForm", nullptr), "progress.bmp");
  progress.Hide();
  ShootFolderChooser();
  return 0;
}
