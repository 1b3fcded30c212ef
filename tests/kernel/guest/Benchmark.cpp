// Times the main window's scan (scan, identify every row, read row 0) of 1,
// 5 and 10 boards and a save on the real kernel, beside the floor that the
// program's own pauses set. Prints one line per figure; fails only when a
// transaction fails.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "GuestLink.h"
#include "VirtualBoardProcess.h"
#include "settings/SettingsImages.h"

namespace {

using namespace qor;
using namespace qor::guest;
using Clock = std::chrono::steady_clock;

constexpr int Repeats = 5;

double Milliseconds(Clock::duration duration) { return std::chrono::duration<double, std::milli>(duration).count(); }

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

void Print(const char* what, double measured, double floor, int transfers) {
  std::printf("QOR-BENCH %-16s %8.1f ms  floor %6.0f ms  ratio %5.2f  %5.2f ms per transfer over the floor\n", what,
              measured, floor, measured / floor, (measured - floor) / transfers);
}

bool BenchmarkScan(int boards) {
  VirtualBoardProcess process({"--boards", std::to_string(boards)});
  if (!process.Ready()) {
    std::printf("QOR-BENCH cannot start %d boards: %s\n", boards, process.Failure().c_str());
    return false;
  }
  LinuxHidPlatform platform;
  DeviceLink link(platform);
  std::vector<double> times;
  for (int i = 0; i < Repeats; ++i) {
    const auto start = Clock::now();
    const std::vector<std::string> texts = ScanAndIdentify(link);
    const bool read = link.ReadDeviceSettings(0);
    times.push_back(Milliseconds(Clock::now() - start));
    if (static_cast<int>(texts.size()) != boards || !read) {
      std::printf("QOR-BENCH scan of %d boards listed %zu\n", boards, texts.size());
      return false;
    }
  }
  const std::string what = "scan of " + std::to_string(boards) + (boards == 1 ? " board" : " boards");
  // Each identification pauses twice for 30 ms and makes four transfers; the read one more.
  Print(what.c_str(), Median(times), boards * 2.0 * IdentifyPauseMs, boards * 4 + 1);
  return true;
}

bool BenchmarkSave() {
  VirtualBoardProcess process({"--board", "Bench"});
  LinuxHidPlatform platform;
  DeviceLink link(platform);
  if (!process.Ready() || ScanAndIdentify(link).size() != 1 || !link.ReadDeviceSettings(0)) {
    std::printf("QOR-BENCH cannot prepare the save\n");
    return false;
  }
  std::vector<double> times;
  for (int i = 0; i < Repeats; ++i) {
    SettingsReport edited = link.ReportImage();
    edited[report_offset::BoardId] = static_cast<std::uint8_t>(i % BoardIdCount);
    const SettingsReport image = SaveImage(edited, link.ReportImage());
    const auto start = Clock::now();
    const SaveOutcome outcome = link.SaveDeviceSettings(0, image);
    times.push_back(Milliseconds(Clock::now() - start));
    if (outcome != SaveOutcome::Saved) {
      std::printf("QOR-BENCH save failed\n");
      return false;
    }
  }
  Print("save", Median(times), SavePauseMs, 2);
  return true;
}

}  // namespace

int main() {
  std::printf("QOR-BENCH median of %d runs each\n", Repeats);
  bool ok = true;
  for (int boards : {1, 5, 10}) ok = BenchmarkScan(boards) && ok;
  ok = BenchmarkSave() && ok;
  std::fflush(stdout);
  return ok ? 0 : 1;
}
