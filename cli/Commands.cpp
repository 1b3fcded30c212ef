#include "cli/Commands.h"

#include <variant>

#include "cli/BoardList.h"
#include "cli/PlatformTexts.h"
#include "cli/ScannedBoards.h"
#include "cli/SettingsText.h"
#include "cli/Text.h"
#include "device/DeviceLink.h"
#include "res/StringTable.h"
#include "settings/KeyCodeTable.h"
#include "settings/OpenFiles.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsImages.h"
#include "settings/SystemError.h"

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
const std::string StandardInputHint =
    std::string("reading settings from standard input (") + Platform.EndOfInput + " to end)";

void Complain(CommandContext& context, const std::string& message) { context.Err << "qorctl: " << message << '\n'; }

// Attached boards the table could not open: say where they are and, when
// access rights are what stands in the way, what to do about it.
bool ReportUnopenableBoards(CommandContext& context, const DeviceTable& table) {
  const std::vector<UnopenableBoard> boards = context.Probe.UnopenableBoards(table.Unopened());
  std::vector<UnopenableBoard> denied;
  for (const UnopenableBoard& board : boards) {
    Complain(context, "a QOR board is attached at " + Printable(board.Path) +
                          ", but it cannot be opened: " + SystemErrorText(board.Error));
    if (IsAccessDenied(board.Error)) denied.push_back({Printable(board.Path), board.Error, board.Access});
  }
  // A platform without access rules (Windows) has the reason alone to give.
  if (!denied.empty() && !context.Rules.AccessRule.empty()) context.Err << AccessAdvice(denied, context.Rules) << '\n';
  return !boards.empty();
}

ExitCode NoBoardFound(CommandContext& context, const DeviceTable& table) {
  if (!ReportUnopenableBoards(context, table)) Complain(context, NoDevices);
  return ExitCode::NoBoard;
}

ExitCode LinkLost(CommandContext& context) {
  Complain(context, CommunicationFailure);
  return ExitCode::CommunicationFailure;
}

// Scans, and says when more boards are attached than are handled.
ScannedBoards Scan(CommandContext& context, DeviceLink& link) {
  ScannedBoards boards(context.Platform, context.Probe, link);
  if (!boards.Beyond().empty()) {
    Complain(context, std::to_string(DeviceTable::Capacity + boards.Beyond().size()) +
                          " boards are attached; only the first " + std::to_string(DeviceTable::Capacity) +
                          " are handled");
  }
  return boards;
}

// Whether a node is the one a selector names: the same path, or a path to
// the same device (a link such as /dev/qor/left, "//", relative, "hidraw3").
bool IsNamedNode(CommandContext& context, const std::string& node, const std::string& selector,
                 const std::optional<std::uint64_t>& device) {
  return context.Probe.IsSamePath(node, selector) || (device && context.Probe.DeviceNumber(node) == device);
}

// A board's text as typed: as list shows it (its Latin-1 in UTF-8), or byte for byte.
bool IsBoardText(const BoardPlace& place, const std::string& selector) {
  return place.Answered && (place.Identification == selector || Utf8FromLatin1(place.Identification) == selector);
}

std::string Quoted(const std::string& typed) { return "\"" + Printable(typed) + "\""; }

// The row a --board selector names in the scanned table: a node or a path
// to it, a USB location, or else a number or the text of one board. A
// number that is another board's text too is not guessed at.
std::variant<int, ExitCode> SelectRow(CommandContext& context, ScannedBoards& scanned,
                                      const std::optional<std::string>& board) {
  const DeviceTable& table = scanned.Table();
  if (!board) return 0;
  const std::optional<std::uint64_t> device = context.Probe.DeviceNumber(*board);
  for (int row = 0; row < table.Count(); ++row) {
    if (IsNamedNode(context, table.Entry(row).Path, *board, device) || scanned.UsbLocation(row) == *board) return row;
  }
  for (const std::string& node : scanned.Beyond()) {
    if (!IsNamedNode(context, node, *board, device)) continue;
    Complain(context, Quoted(*board) + " is a board beyond the " + std::to_string(DeviceTable::Capacity) +
                          " boards handled; unplug others to reach it");
    return ExitCode::NoBoard;
  }

  const std::vector<BoardPlace> places = scanned.Places();
  const std::optional<int> number = ParseBoardNumber(*board);
  const BoardPlace* numbered = number && *number <= table.Count() ? &places[*number - 1] : nullptr;
  std::vector<const BoardPlace*> named;
  for (const BoardPlace& place : places) {
    if (IsBoardText(place, *board) && &place != numbered) named.push_back(&place);
  }
  if (numbered && named.empty()) return numbered->Number - 1;
  if (!numbered && named.size() == 1) return named[0]->Number - 1;

  std::vector<const BoardPlace*> listed = named;
  if (numbered) {
    std::string texts;
    for (const BoardPlace* place : named) texts += (texts.empty() ? "" : ", ") + std::to_string(place->Number);
    Complain(context, Quoted(*board) + " is board " + std::to_string(numbered->Number) + " by number and the text of " +
                          (named.size() == 1 ? "board " : "boards ") + texts + "; pick one by node or USB location:");
    listed.insert(listed.begin(), numbered);
  } else if (!named.empty()) {
    Complain(context,
             std::to_string(named.size()) + " boards answer " + Quoted(*board) + "; pick one by node or USB location:");
  } else if (number) {
    Complain(context,
             "there is no board " + *board + "; boards found: " + std::to_string(table.Count()) + " (see qorctl list)");
  } else {
    Complain(context, "no board is " + Quoted(*board) + " by number, node, USB location or text; boards found:");
    for (const BoardPlace& place : places) listed.push_back(&place);
  }
  for (const BoardPlace* place : listed) context.Err << "  " << BoardDescription(*place) << '\n';
  ReportUnopenableBoards(context, table);
  return ExitCode::NoBoard;
}

// Scans, then identifies and reads the board as the window does when it lists
// and selects it. The settings end up in the link's ReportImage.
std::variant<BoardPlace, ExitCode> LoadBoard(CommandContext& context, DeviceLink& link,
                                             const std::optional<std::string>& board) {
  ScannedBoards scanned = Scan(context, link);
  if (scanned.Count() == 0) return NoBoardFound(context, scanned.Table());
  const auto row = SelectRow(context, scanned, board);
  if (const auto* code = std::get_if<ExitCode>(&row)) return *code;
  const BoardPlace& place = scanned.Place(std::get<int>(row));
  if (!place.Answered || !link.ReadDeviceSettings(std::get<int>(row))) return LinkLost(context);
  return place;
}

// A file named "-" is standard input or output.
constexpr const char* Stream = "-";

bool IsStream(const std::string& file) { return file == Stream; }

std::string FileName(const std::string& file, const char* stream) { return IsStream(file) ? stream : Printable(file); }

// "qorctl: cabinet.qos: No such file or directory", then the window's text
// where it applies.
ExitCode FileFailure(CommandContext& context, const std::string& name, const std::string& reason,
                     const char* windowText) {
  Complain(context, name + ": " + reason);
  if (windowText != nullptr) context.Err << windowText << '\n';
  return ExitCode::FileError;
}

// Reads a settings file, "-" standard input. Unlike the window, qorctl also
// reads a pipe, a terminal or a device (/dev/stdin).
std::optional<ExitCode> ReadFile(CommandContext& context, const std::string& file, SettingsReport& settings,
                                 FileLength length = FileLength::AtLeast) {
  // A terminal waits for the user, who should know it does.
  if (IsStream(file) && IsTerminal(context.InFd)) Complain(context, StandardInputHint);
  const FileReadResult result = IsStream(file) ? ReadSettingsStream(context.InFd, settings, length)
                                               : ReadSettingsFile(file, settings, ReadableFiles::AnyKind, length);
  const std::string name = FileName(file, "standard input");
  switch (result.Outcome) {
    case FileReadOutcome::OpenFailed:
      return FileFailure(context, name, SystemErrorText(result.Error),
                         IsPermissionError(result.Error) ? CannotRead : nullptr);
    case FileReadOutcome::Corrupt:
      // A closed standard input is held open for writing only (main fills it
      // with /dev/null), so a read fails as on a descriptor not open.
      if (IsStream(file) && IsNotOpenForReading(result.Error)) {
        Complain(context, "standard input is not open for reading");
        return ExitCode::FileError;
      }
      // A read that failed says nothing about the content: the reason alone.
      if (result.Error != 0) return FileFailure(context, name, SystemErrorText(result.Error), nullptr);
      return FileFailure(
          context, name,
          std::to_string(result.Length) + " bytes; a settings file holds " + std::to_string(SettingsReportSize),
          Corrupt);
    case FileReadOutcome::TooLong:
      return FileFailure(
          context, name,
          (result.Length != 0 ? std::to_string(result.Length) : "more than " + std::to_string(SettingsReportSize)) +
              " bytes; set -f changes only settings files of exactly " + std::to_string(SettingsReportSize),
          nullptr);
    case FileReadOutcome::Ok:
      break;
  }
  return std::nullopt;
}

// Whether the file is where standard output goes ("-", /dev/stdout, or the
// file it was redirected to): a confirmation then goes to standard error, so
// that the output holds the settings alone.
bool IsStandardOutput(const CommandContext& context, const std::string& file) {
  if (IsStream(file)) return true;
  return IsSameFile(file, context.OutFd);
}

// Binary goes to files and pipes: on a terminal a board's bytes could drive it.
std::optional<ExitCode> RefuseTerminal(CommandContext& context, const std::string& file, bool force) {
  if (force || !IsStandardOutput(context, file) || !IsTerminal(context.OutFd)) return std::nullopt;
  Complain(context, "standard output is a terminal; redirect it to a file");
  return ExitCode::Usage;
}

// Writes a settings file, "-" standard output, and confirms it with `done`.
ExitCode WriteFile(CommandContext& context, const std::string& file, const SettingsReport& image,
                   const std::string& done) {
  std::ostream& confirmation = IsStandardOutput(context, file) ? context.Err : context.Out;
  context.Out.flush();  // what went before stays before the settings
  const FileWriteResult result =
      IsStream(file) ? WriteSettingsStream(context.OutFd, image) : WriteSettingsFile(file, image);
  const std::string name = FileName(file, "standard output");
  switch (result.Outcome) {
    case FileWriteOutcome::OpenFailed:
      return FileFailure(context, name, SystemErrorText(result.Error),
                         IsPermissionError(result.Error) ? CannotWrite : nullptr);
    case FileWriteOutcome::WriteFailed:
      return FileFailure(context, name, SystemErrorText(result.Error), WriteError);
    case FileWriteOutcome::Ok:
      break;
  }
  confirmation << done << '\n';
  return ExitCode::Ok;
}

ExitCode Save(CommandContext& context, DeviceLink& link, const BoardPlace& board, const SettingsReport& image) {
  if (link.SaveDeviceSettings(board.Number - 1, image) != SaveOutcome::Saved) return LinkLost(context);
  context.Out << "Wrote board " << BoardDescription(board) << '\n' << Saved << '\n';
  return ExitCode::Ok;
}

// The settings of the target, a file or a board, and how to name them.
struct Loaded {
  SettingsReport Settings{};
  std::optional<BoardPlace> Board{};
};

std::variant<Loaded, ExitCode> LoadTarget(CommandContext& context, DeviceLink& link, const Target& target,
                                          FileLength length = FileLength::AtLeast) {
  Loaded loaded;
  if (target.File) {
    if (const auto failure = ReadFile(context, *target.File, loaded.Settings, length)) return *failure;
    return loaded;
  }
  const auto board = LoadBoard(context, link, target.Board);
  if (const auto* code = std::get_if<ExitCode>(&board)) return *code;
  loaded.Board = std::get<BoardPlace>(board);
  loaded.Settings = link.ReportImage();
  return loaded;
}

}  // namespace

ExitCode ListBoards(CommandContext& context, bool json) {
  DeviceLink link(context.Platform);
  ScannedBoards scanned = Scan(context, link);
  const std::vector<BoardPlace> places = scanned.Places();
  context.Out << (json ? BoardListJson(places) : BoardListText(places));
  if (places.empty()) return NoBoardFound(context, link.Table());
  ReportUnopenableBoards(context, link.Table());
  bool silent = false;
  for (const BoardPlace& place : places) {
    if (place.Answered) continue;
    Complain(context, "board " + std::to_string(place.Number) + " did not answer");
    silent = true;
  }
  return silent ? ExitCode::CommunicationFailure : ExitCode::Ok;
}

ExitCode ListKeys(CommandContext& context, bool json) {
  std::string out = json ? "{\"keys\": [" : "";
  for (int i = 0; i < KeyCodeTable::Count; ++i) {
    const std::string name = KeyCodeTable::NameAt(i);
    out += json ? (i > 0 ? ", " : "") + JsonString(name) : name + '\n';
  }
  context.Out << out << (json ? "]}\n" : "");
  return ExitCode::Ok;
}

ExitCode ShowSettings(CommandContext& context, const Target& target, bool json) {
  DeviceLink link(context.Platform);
  const auto loaded = LoadTarget(context, link, target);
  if (const auto* code = std::get_if<ExitCode>(&loaded)) return *code;
  const Loaded& settings = std::get<Loaded>(loaded);
  if (settings.Board) {
    const BoardLabel label{settings.Board->Number, settings.Board->Identification};
    context.Out << (json ? SettingsAsJson(label, settings.Settings) : SettingsAsText(label, settings.Settings));
  } else {
    const FileLabel label{*target.File};
    context.Out << (json ? SettingsAsJson(label, settings.Settings) : SettingsAsText(label, settings.Settings));
  }
  return ExitCode::Ok;
}

ExitCode GetSetting(CommandContext& context, const Target& target, const std::string& setting) {
  DeviceLink link(context.Platform);
  const auto loaded = LoadTarget(context, link, target);
  if (const auto* code = std::get_if<ExitCode>(&loaded)) return *code;
  context.Out << SettingWords(setting, std::get<Loaded>(loaded).Settings) << '\n';
  return ExitCode::Ok;
}

ExitCode ExportSettings(CommandContext& context, const Target& target, const std::string& file, bool force) {
  if (const auto refused = RefuseTerminal(context, file, force)) return *refused;
  DeviceLink link(context.Platform);
  const auto loaded = LoadBoard(context, link, target.Board);
  if (const auto* code = std::get_if<ExitCode>(&loaded)) return *code;
  return WriteFile(context, file, ExportImage(ThroughSelectionLists(link.ReportImage())), Exported);
}

ExitCode ImportSettings(CommandContext& context, const Target& target, const std::string& file) {
  // The file is checked before any board is touched.
  SettingsReport settings{};
  if (const auto failure = ReadFile(context, file, settings)) return *failure;

  DeviceLink link(context.Platform);
  const auto loaded = LoadBoard(context, link, target.Board);
  if (const auto* code = std::get_if<ExitCode>(&loaded)) return *code;
  // The file's bytes 0, 1 and 5 are not used: the board gets its own byte 5 back.
  const SettingsReport image = SaveImage(ThroughSelectionLists(settings), link.ReportImage());
  return Save(context, link, std::get<BoardPlace>(loaded), image);
}

ExitCode SetSettings(CommandContext& context, const Target& target, const SettingEdits& edits, bool dryRun,
                     bool force) {
  if (edits.ListKeys) return ListKeys(context, false);
  if (target.File && !dryRun) {
    if (const auto refused = RefuseTerminal(context, *target.File, force)) return *refused;
  }
  DeviceLink link(context.Platform);
  const auto loaded = LoadTarget(context, link, target, FileLength::Exactly);
  if (const auto* code = std::get_if<ExitCode>(&loaded)) return *code;
  const Loaded& read = std::get<Loaded>(loaded);

  SettingsReport settings = read.Settings;
  ApplySettingEdits(edits, settings);
  // A board gets its own byte 5 back; a file keeps every byte that was not set.
  const SettingsReport image = read.Board ? SaveImage(settings, read.Settings) : settings;
  if (dryRun) {
    context.Out << HexBytes(image) << '\n';
    return ExitCode::Ok;
  }
  if (read.Board) return Save(context, link, *read.Board, image);
  return WriteFile(context, *target.File, image, "Wrote " + FileName(*target.File, "standard output"));
}

}  // namespace qor::cli
