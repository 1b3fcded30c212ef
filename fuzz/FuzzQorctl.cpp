// qorctl's Run() over simulated boards whose texts, nodes, locations and
// settings are hostile bytes, some of which fail their transfers, and command
// lines made of qorctl's own words and hostile bytes. After each run: the exit
// status is one of the table's, a JSON answer is one well-formed object, and
// nothing printed holds a control character other than the line end, a C1
// control or bytes that are not UTF-8. Files are named only in a scratch
// folder that is the working folder during each run.

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "JsonCheck.h"
#include "cli/Arguments.h"
#include "cli/Qorctl.h"
#include "sim/SimPlatform.h"

namespace {
namespace fs = std::filesystem;

void Require(bool condition, const char* what, const std::string& text = "") {
  if (!condition) {
    std::fprintf(stderr, "fuzz_qorctl: %s\n%s\n", what, text.c_str());
    std::abort();
  }
}

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : m_Data(data), m_Size(size) {}
  std::uint8_t Byte() {
    if (m_Size == 0) return 0;
    --m_Size;
    return *m_Data++;
  }
  std::size_t Choice(std::size_t count) { return Byte() % count; }
  std::string Text(std::size_t maxLength) {
    std::string text(Choice(maxLength + 1), '\0');
    for (char& c : text) c = static_cast<char>(Byte());
    return text;
  }
  bool Empty() const { return m_Size == 0; }

 private:
  const std::uint8_t* m_Data;
  std::size_t m_Size;
};

// qorctl's own words, and words it will meet.
const std::vector<std::string> Words = {
    "list",
    "show",
    "get",
    "export",
    "import",
    "set",
    "help",
    "--version",
    "-b",
    "--board",
    "-f",
    "--file",
    "-j",
    "--json",
    "-n",
    "--dry-run",
    "--force",
    "-h",
    "--help",
    "--",
    "-",
    "1",
    "2",
    "11",
    "/dev/hidraw0",
    "1-1.4",
    "a.qos",
    "b.qos",
    "long.qos",
    "none.qos",
    "mode",
    "mode=4",
    "mode=dual",
    "board-id=2",
    "analog=1,3",
    "joymouse=on",
    "joymouse-speed=8",
    "joymouse-zone=1,2,3,4",
    "keystick-zone=9,8,7,6",
    "key.up=SPACE",
    "key.button14=f1",
    "-nj",
    "-b2",
    "--board=1",
};

// A hostile word: any bytes, but no '/' so that it names nothing outside the
// scratch folder.
std::string HostileWord(Input& input) {
  std::string word = input.Text(12);
  for (char& c : word) {
    if (c == '/') c = '_';
  }
  const std::size_t prefix = input.Choice(4);
  return (prefix == 1 ? "--" : prefix == 2 ? "key.up=" : prefix == 3 ? "-b" : "") + word;
}

class HostileProbe final : public qor::BoardProbe {
 public:
  std::vector<qor::UnopenableBoard> UnopenableBoards(const std::vector<qor::UnopenedInterface>&) override {
    return Unopenable;
  }
  std::optional<std::string> UsbLocation(const std::string& node) override {
    const auto found = Locations.find(node);
    if (found == Locations.end()) return std::nullopt;
    return found->second;
  }
  // The nodes are names only: none opens a device.
  std::optional<std::uint64_t> DeviceNumber(const std::string&) override { return std::nullopt; }
  std::vector<qor::UnopenableBoard> Unopenable;
  std::map<std::string, std::string> Locations;
};

qor::SettingsReport Settings(Input& input) {
  qor::SettingsReport image{};
  for (auto& byte : image) byte = input.Byte();
  return image;
}

void WriteFile(const std::string& name, const std::string& bytes) {
  const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  Require(fd >= 0 && ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()), "cannot write",
          name);
  ::close(fd);
}

// A well-formed UTF-8 text without controls but the line end: C0, DEL and
// the C1 controls U+0080..U+009F.
bool SafeOnATerminal(const std::string& text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '\n' || (c >= 0x20 && c < 0x7F)) {
      ++i;
      continue;
    }
    const std::size_t length = c >= 0xC2 && c <= 0xDF ? 2 : c >= 0xE0 && c <= 0xEF ? 3 : c >= 0xF0 && c <= 0xF4 ? 4 : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    if (c == 0xC2 && static_cast<unsigned char>(text[i + 1]) <= 0x9F) return false;
    i += length;
  }
  return true;
}

std::string gScratch;
std::string gStartFolder;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // In memory where there is room, as a sync there costs nothing.
  char inMemory[] = "/dev/shm/qor-fuzz-qorctl-XXXXXX";
  char onDisk[] = "/tmp/qor-fuzz-qorctl-XXXXXX";
  const char* folder = ::mkdtemp(inMemory);
  if (folder == nullptr) folder = ::mkdtemp(onDisk);
  Require(folder != nullptr, "mkdtemp");
  gScratch = folder;
  gStartFolder = fs::current_path();
  std::atexit([] {
    std::error_code error;
    fs::remove_all(gScratch, error);
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input input(data, size);
  Require(::chdir(gScratch.c_str()) == 0, "chdir");
  qor::sim::SimPlatform platform;
  HostileProbe probe;
  const std::size_t boards = input.Choice(4);
  for (std::size_t i = 0; i < boards; ++i) {
    auto board =
        platform.AddBoard(input.Text(40), Settings(input), static_cast<std::uint16_t>(0x07B3 + input.Choice(8)));
    const qor::sim::InterfaceId id = platform.ConfigurationInterfaceOf(*board);
    if ((input.Byte() & 1) != 0) platform.Interface(id).Path = "/dev/" + input.Text(10);
    if ((input.Byte() & 1) != 0) probe.Locations[platform.PathOf(id)] = input.Text(10);
  }
  if ((input.Byte() & 1) != 0)
    probe.Unopenable.push_back({"/dev/" + input.Text(10), static_cast<int>(input.Choice(140))});
  switch (input.Choice(4)) {
    case 1:
      platform.FailGetFeature(static_cast<int>(input.Choice(6)) + 1);
      break;
    case 2:
      platform.FailSetFeature(static_cast<int>(input.Choice(3)) + 1);
      break;
    default:
      break;
  }
  const std::string fileBytes = input.Text(40);
  WriteFile("a.qos", fileBytes.substr(0, 33));
  WriteFile("long.qos", fileBytes + fileBytes);
  std::error_code error;
  fs::remove("b.qos", error);

  std::vector<std::string> arguments;
  const std::size_t count = input.Choice(7);
  for (std::size_t i = 0; i < count; ++i) {
    arguments.push_back(input.Choice(4) == 0 ? HostileWord(input) : Words[input.Choice(Words.size())]);
  }

  // Standard input and output are files of the scratch folder.
  const std::string inBytes = input.Text(40);
  WriteFile("in", inBytes);
  const int in = ::open("in", O_RDONLY | O_CLOEXEC);
  const int outFd = ::open("out", O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  Require(in >= 0 && outFd >= 0, "cannot open the streams");
  std::ostringstream out;
  std::ostringstream err;
  qor::cli::CommandContext context{platform, probe, out, err, {"/rule", "/example"}, in, outFd};
  const int status = qor::cli::Run(arguments, context);
  ::close(in);
  ::close(outFd);

  std::string line;
  for (const std::string& argument : arguments) line += "[" + argument + "] ";
  Require(status == 0 || status == 2 || status == 3 || status == 4 || status == 5, "an exit status off the table",
          line);
  Require(SafeOnATerminal(err.str()), "standard error can drive a terminal", line + "\n" + err.str());
  Require(SafeOnATerminal(out.str()), "standard output can drive a terminal", line + "\n" + out.str());
  const auto parsed = qor::cli::ParseArguments(arguments);
  if (const auto* invocation = std::get_if<qor::cli::Invocation>(&parsed)) {
    const bool answersJson = invocation->Json && (invocation->Command == qor::cli::CommandKind::List ||
                                                  invocation->Command == qor::cli::CommandKind::Show);
    if (answersJson && !out.str().empty()) {
      Require(qor::cli::test::JsonObjectKeys(out.str()).has_value(), "JSON that is not one object",
              line + "\n" + out.str());
    }
  }
  Require(::chdir(gStartFolder.c_str()) == 0, "chdir back");
  return 0;
}
