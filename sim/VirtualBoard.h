#pragma once
// A QOR board's firmware as code: it stores settings, keeps an identification
// text, and answers every read with the reply its last command selected.
// Shared by the simulated platform and by the program that puts boards on uhid.

#include <cstddef>
#include <cstdint>
#include <string>

#include "settings/SettingsReport.h"

namespace qor::sim {

// Bytes 2..32 of a reply: the longest identification text a board can send.
constexpr std::size_t MaxIdentificationLength = SettingsReportSize - 2;

class VirtualBoard {
 public:
  // The identification is taken as raw bytes and cut at 31; bytes 0 and 1 of
  // the stored image are kept 0, as in every settings reply.
  VirtualBoard(std::string identification, const SettingsReport& stored);

  // A feature report written by the host: `length` bytes, byte 0 the report ID,
  // byte 1 the command. The board has report 0 of 33 bytes only, so any other
  // length or report ID is refused (false) and changes nothing. CommandStore
  // stores bytes 2..32 and selects the settings reply, CommandIdentify selects
  // the identification reply, CommandSelectSettings the settings reply. Any
  // other command is taken (true) and ignored: the selection stays.
  bool SetFeature(const std::uint8_t* report, std::size_t length);

  // The reply the last command selected; a board starts with the settings reply.
  SettingsReport GetFeature() const;

  const SettingsReport& Stored() const { return m_Stored; }
  const std::string& Identification() const { return m_Identification; }
  bool IdentificationSelected() const { return m_Reply == Reply::Identification; }

 private:
  enum class Reply { Settings, Identification };

  std::string m_Identification;
  SettingsReport m_Stored;
  Reply m_Reply = Reply::Settings;
};

}  // namespace qor::sim
