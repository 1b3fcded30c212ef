#include "cli/Commands.h"

#include <cerrno>
#include <cstring>
#include <variant>

#include "cli/SettingsText.h"
#include "cli/Text.h"
#include "device/DeviceLink.h"
#include "res/StringTable.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsImages.h"

namespace qor::cli {
namespace {

const char* const NoDevices = res::LoadString(res::IDS_NO_DEVICES);
const char* const CommunicationFailure = res::LoadString(res::IDS_COMMUNICATION_FAILURE);
const char* const Saved = res::LoadString(res::IDS_SETTINGS_SAVED);
const char* const Exported = res::LoadString(res::IDS_SETTINGS_EXPORTED);
const char* const CannotRead = res::LoadString(res::IDS_FILE_CANNOT_READ);
const char* const Corrupt = res::LoadString(res::IDS_FILE_CORRUPT);
const char* const CannotWrite = res::LoadString(res::IDS_FILE_CANNOT_WRITE);
const char* const WriteError = res::LoadString(res::IDS_FILE_WRITE_ERROR);

void Complain(CommandContext& context, const std::string& message) { context.Err << "qorctl: " << message << '\n'; }

std::string ErrorText(int error) { return std::strerror(error); }

// Attached boards the table could not open: say where they are and, when
// permission is what stands in the way, how the access rule helps.
bool ReportUnopenableBoards(CommandContext& context) {
  const std::vector<UnopenableBoard> boards = context.Probe.UnopenableBoards();
  bool permission = false;
  for (const UnopenableBoard& board : boards) {
    Complain(context, "a QOR board is attached at " + board.Path + ", but it cannot be opened: " +
                          ErrorText(board.Error));
    permission = permission || board.Error == EACCES || board.Error == EPERM;
  }
  if (permission) {
    context.Err << "The access rule 70-qor-boards.rules lets the user at the computer open QOR boards without root.\n"
                   "Install the qorconfig package, or copy packaging/70-qor-boards.rules to "
                << context.UdevRulesDir
                << ",\n"
                   "then unplug and replug the board. Without a local login (over ssh), use the plugdev\n"
                   "rule the README describes.\n";
  }
  return !boards.empty();
}

ExitCode NoBoardFound(CommandContext& context) {
  if (!ReportUnopenableBoards(context)) Complain(context, NoDevices);
  return ExitCode::NoBoard;
}

ExitCode LinkLost(CommandContext& context) {
  Complain(context, CommunicationFailure);
  return ExitCode::CommunicationFailure;
}

struct LoadedBoard {
  int Row = 0;
  std::string Identification{};
};

// Scans, then identifies and reads the board as the window does when it lists
// and selects it: the identification also leaves the settings reply selected,
// whatever an interrupted exchange left behind. The settings end up in the
// link's ReportImage.
std::variant<LoadedBoard, ExitCode> LoadBoard(CommandContext& context, DeviceLink& link, int number) {
  DeviceTable& table = link.Table();
  table.Scan();
  if (table.Count() == 0) return NoBoardFound(context);
  if (number > table.Count()) {
    Complain(context, "there is no board " + std::to_string(number) + "; boards found: " +
                          std::to_string(table.Count()) + " (see qorctl list)");
    ReportUnopenableBoards(context);
    return ExitCode::NoBoard;
  }
  LoadedBoard board{.Row = number - 1};
  std::memset(link.IdentificationText, 0, sizeof link.IdentificationText);
  if (!link.IdentifyDevice(board.Row, link.IdentificationText, sizeof link.IdentificationText) ||
      !link.ReadDeviceSettings(board.Row)) {
    return LinkLost(context);
  }
  board.Identification = link.IdentificationText;
  return board;
}

ExitCode Save(CommandContext& context, DeviceLink& link, int row, const SettingsReport& image) {
  if (link.SaveDeviceSettings(row, image) != SaveOutcome::Saved) return LinkLost(context);
  context.Out << Saved << '\n';
  return ExitCode::Ok;
}

}  // namespace

ExitCode ListBoards(CommandContext& context) {
  DeviceLink link(context.Platform);
  DeviceTable& table = link.Table();
  table.Scan();
  if (table.Count() == 0) return NoBoardFound(context);

  std::vector<int> silent;
  for (int row = 0; row < table.Count(); ++row) {
    // A board that does not answer is listed without a text, as in the window.
    std::memset(link.IdentificationText, 0, sizeof link.IdentificationText);
    if (!link.IdentifyDevice(row, link.IdentificationText, sizeof link.IdentificationText)) silent.push_back(row + 1);
    context.Out << ListEntry({row + 1, link.IdentificationText}) << '\n';
  }
  ReportUnopenableBoards(context);
  for (const int number : silent) Complain(context, "board " + std::to_string(number) + " did not answer");
  return silent.empty() ? ExitCode::Ok : ExitCode::CommunicationFailure;
}

ExitCode ShowSettings(CommandContext& context, int board, bool json) {
  DeviceLink link(context.Platform);
  const auto loaded = LoadBoard(context, link, board);
  if (const auto* code = std::get_if<ExitCode>(&loaded)) return *code;
  const BoardLabel label{board, std::get<LoadedBoard>(loaded).Identification};
  context.Out << (json ? SettingsAsJson(label, link.ReportImage()) : SettingsAsText(label, link.ReportImage()));
  return ExitCode::Ok;
}

ExitCode ExportSettings(CommandContext& context, int board, const std::string& file) {
  DeviceLink link(context.Platform);
  const auto loaded = LoadBoard(context, link, board);
  if (const auto* code = std::get_if<ExitCode>(&loaded)) return *code;

  switch (WriteSettingsFile(file, ExportImage(ThroughSelectionLists(link.ReportImage())))) {
    case FileWriteOutcome::OpenFailed:
      Complain(context, CannotWrite);
      return ExitCode::FileError;
    case FileWriteOutcome::WriteFailed:
      Complain(context, WriteError);
      return ExitCode::FileError;
    case FileWriteOutcome::Ok:
      break;
  }
  context.Out << Exported << '\n';
  return ExitCode::Ok;
}

ExitCode ImportSettings(CommandContext& context, int board, const std::string& file) {
  // The file is checked before any board is touched.
  SettingsReport settings{};
  switch (ReadSettingsFile(file, settings)) {
    case FileReadOutcome::OpenFailed:
      Complain(context, CannotRead);
      return ExitCode::FileError;
    case FileReadOutcome::Corrupt:
      Complain(context, Corrupt);
      return ExitCode::FileError;
    case FileReadOutcome::Ok:
      break;
  }

  DeviceLink link(context.Platform);
  const auto loaded = LoadBoard(context, link, board);
  if (const auto* code = std::get_if<ExitCode>(&loaded)) return *code;
  // The file's bytes 0, 1 and 5 are not used: the board gets its own byte 5 back.
  const SettingsReport image = SaveImage(ThroughSelectionLists(settings), link.ReportImage());
  return Save(context, link, std::get<LoadedBoard>(loaded).Row, image);
}

ExitCode SetSettings(CommandContext& context, int board, const SettingEdits& edits, bool dryRun) {
  DeviceLink link(context.Platform);
  const auto loaded = LoadBoard(context, link, board);
  if (const auto* code = std::get_if<ExitCode>(&loaded)) return *code;

  const SettingsReport read = link.ReportImage();
  SettingsReport settings = read;
  ApplySettingEdits(edits, settings);
  const SettingsReport image = SaveImage(settings, read);
  if (dryRun) {
    context.Out << HexBytes(image) << '\n';
    return ExitCode::Ok;
  }
  return Save(context, link, std::get<LoadedBoard>(loaded).Row, image);
}

}  // namespace qor::cli
