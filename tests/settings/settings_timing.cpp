// Times the settings file's load and save through the platform's profile
// implementation (our own natively, the system's functions on Windows), for
// long lists and for a broken Count. A measuring program, not a test:
//   settings_timing FOLDER [SIZES...]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "engine/lists.h"
#include "settings/default_lines.h"
#include "settings/settings_model.h"

namespace {

using Clock = std::chrono::steady_clock;

template <class Body>
double Seconds(Body&& body) {
  const auto start = Clock::now();
  body();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

quorn::TextLines Lines(int n, const char* tag) {
  quorn::TextLines lines;
  for (int i = 0; i < n; ++i) lines.push_back(std::string(tag) + ".example" + std::to_string(i));
  return lines;
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: settings_timing FOLDER [SIZES...]\n");
    return 2;
  }
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  const std::string folder = argv[1];
  std::vector<int> sizes;
  std::vector<std::string> counts;
  for (int i = 2; i < argc; ++i) {
    // "count=N": a file whose Black section says Count=N and holds 3 items.
    std::string arg = argv[i];
    if (arg.rfind("count=", 0) == 0) {
      counts.push_back(arg.substr(6));
    } else {
      sizes.push_back(std::atoi(argv[i]));
    }
  }
  if (sizes.empty() && counts.empty()) sizes = {1000, 2000, 4000};

  for (int n : sizes) {
    const std::string path = folder + "/timing-" + std::to_string(n) + ".ini";
    std::remove(path.c_str());
    quorn::UseDefaultLists();
    quorn::SettingsModel model;
    model.WriteDefaultSettings(path);
    model.LoadSettings(path);
    quorn::Black.Replace(Lines(n, "first"));
    double firstSave = Seconds([&] { model.SaveSettings(path); });
    quorn::Black.Replace(Lines(n, "second"));
    double secondSave = Seconds([&] { model.SaveSettings(path); });
    double load = Seconds([&] { model.LoadSettings(path); });
    std::printf("%6d items: first save %8.3f s, changed save %8.3f s, load %8.3f s\n", n,
                firstSave, secondSave, load);
  }

  for (const std::string& count : counts) {
    const std::string path = folder + "/timing-count.ini";
    WriteFile(path, std::string("[Black]\r\nCount=") + count +
                        "\r\nItem0=a\r\nItem1=b\r\nItem2=c\r\n");
    quorn::SettingsModel model;
    double load = Seconds([&] { model.LoadSettings(path); });
    std::size_t lines = quorn::Black.Current()->Lines().size();
    double save = Seconds([&] { model.SaveSettings(path); });
    std::printf("Count=%s with 3 items: load %8.3f s (%zu lines), save %8.3f s\n", count.c_str(), load,
                lines, save);
  }
  return 0;
}
