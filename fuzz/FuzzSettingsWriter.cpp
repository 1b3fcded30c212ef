// Export and import over generated file-system states (files, hard links,
// links, folders, modes, FIFOs, devices, a file size limit), as an
// unprivileged user. After each export: nothing but the file the path leads
// to changed, no temporary file is left, and the outcome matches the disk.

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "settings/SettingsFile.h"

namespace {
namespace fs = std::filesystem;

constexpr uid_t UnprivilegedId = 65534;

void Require(bool condition, const char* what, const std::string& name = "") {
  if (!condition) {
    std::fprintf(stderr, "fuzz_settings_writer: %s %s\n", what, name.c_str());
    std::abort();
  }
}

// Names the generated states are made of; "sub" may be a folder, a file or a link.
const std::vector<std::string> Names = {
    "a.qos", "b.qos", "sub", "sub/c.qos", "sub/d", "out/w.txt", std::string(251, 'n') + ".qos",
};

// The input read byte by byte from the front, each choice one byte, so that
// a seed can be written by hand; past the end every byte is 0.
class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : m_Data(data), m_Size(size) {}
  std::uint8_t Byte() {
    if (m_Size == 0) return 0;
    --m_Size;
    return *m_Data++;
  }
  std::size_t Choice(std::size_t count) { return Byte() % count; }
  template <typename T>
  T Pick(std::initializer_list<T> values) {
    return values.begin()[Choice(values.size())];
  }
  std::string Text(std::size_t maxLength) {
    std::string text(Choice(maxLength + 1), '\0');
    for (char& c : text) c = static_cast<char>(Byte());
    return text;
  }

 private:
  const std::uint8_t* m_Data;
  std::size_t m_Size;
};

const std::string& PickName(Input& input) { return Names[input.Choice(Names.size())]; }

// Link targets: the names above, relative and absolute, special files, nothing.
std::string LinkTarget(Input& input, const std::string& root) {
  switch (input.Choice(5)) {
    case 0:
      return "/dev/null";
    case 1:
      return "/dev/full";
    case 2:
      return "missing.qos";
    case 3:
      return root + "/" + PickName(input);
    default:
      return PickName(input);
  }
}

// What a name is, as far as a change can show.
struct Entry {
  fs::file_type Type = fs::file_type::none;
  ino_t Inode = 0;
  mode_t Mode = 0;
  uid_t Owner = 0;
  nlink_t Links = 0;
  off_t Size = 0;
  timespec Modified{};
  std::string LinkText;
  bool operator==(const Entry& other) const {
    const bool folder = Type == fs::file_type::directory;  // a temporary file changes its folder's times
    return Type == other.Type && Inode == other.Inode && Mode == other.Mode && Owner == other.Owner &&
           (folder || (Links == other.Links && Size == other.Size && Modified.tv_sec == other.Modified.tv_sec &&
                       Modified.tv_nsec == other.Modified.tv_nsec && LinkText == other.LinkText));
  }
};

using Snapshot = std::map<std::string, Entry>;

// Folders get read and search permission back, so that everything can be seen.
void OpenUp(const fs::path& folder) {
  std::error_code error;
  fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, error);
  for (const auto& entry : fs::directory_iterator(folder, error))
    if (entry.symlink_status().type() == fs::file_type::directory) OpenUp(entry.path());
}

void Take(const fs::path& folder, const fs::path& root, Snapshot& snapshot) {
  for (const auto& item : fs::directory_iterator(folder)) {
    struct stat st {};
    Require(::lstat(item.path().c_str(), &st) == 0, "lstat");
    Entry entry{
        item.symlink_status().type(), st.st_ino, st.st_mode, st.st_uid, st.st_nlink, st.st_size, st.st_mtim, {}};
    if (S_ISLNK(st.st_mode)) entry.LinkText = fs::read_symlink(item.path()).string();
    snapshot[item.path().string().substr(root.string().size() + 1)] = entry;
    if (S_ISDIR(st.st_mode)) Take(item.path(), root, snapshot);
  }
}

Snapshot TakeSnapshot(const fs::path& root) {
  Snapshot snapshot;
  Take(root, root, snapshot);
  return snapshot;
}

std::optional<struct stat> Followed(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return st;
}

void Build(Input& input, const std::string& root, std::vector<std::pair<std::string, mode_t>>& folders) {
  const int steps = static_cast<int>(input.Choice(9));
  for (int i = 0; i < steps; ++i) {
    const std::string name = PickName(input);
    const std::string path = root + "/" + name;
    // Creations that meet a missing folder or a taken name simply fail.
    switch (input.Choice(5)) {
      case 0: {
        const std::string bytes = input.Text(40);
        const mode_t mode = input.Pick<mode_t>({0600, 0644, 0444, 0200, 0000, 0666});
        // Only a new file: an existing FIFO would block the open.
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        if (fd < 0) break;
        Require(::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()), "write");
        ::close(fd);
        ::chmod(path.c_str(), mode);
        break;
      }
      case 1:
        if (::mkdir(path.c_str(), 0700) == 0) folders.emplace_back(path, input.Pick<mode_t>({0700, 0500, 0300}));
        break;
      case 2:
        ::symlink(LinkTarget(input, root).c_str(), path.c_str());
        break;
      case 3:
        ::link((root + "/" + PickName(input)).c_str(), path.c_str());
        break;
      default:
        ::mkfifo(path.c_str(), 0600);
        break;
    }
  }
}

qor::SettingsReport Image(Input& input) {
  qor::SettingsReport image{};
  for (auto& byte : image) byte = input.Byte();
  return image;
}

bool HoldsImage(const std::string& path, const qor::SettingsReport& image) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return true;  // not readable to this user: nothing to compare
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  return bytes == std::string(image.begin(), image.end());
}

void Check(const std::string& root, const std::string& path, const Snapshot& before,
           const std::optional<struct stat>& target, const qor::FileWriteResult& result,
           const qor::SettingsReport& image) {
  const std::optional<struct stat> reached = Followed(path);
  OpenUp(root);
  const Snapshot after = TakeSnapshot(root);
  const std::string named = path.substr(root.size() + 1);

  // Only the named entry and the file it leads to may change or appear.
  for (const auto& [name, entry] : after) {
    const auto old = before.find(name);
    if (old != before.end() && old->second == entry) continue;
    const bool isNamed = name == named;
    const bool wasTarget = old != before.end() && target && old->second.Inode == target->st_ino;
    const bool isTarget = reached && entry.Inode == reached->st_ino && entry.Type == fs::file_type::regular;
    Require(result.Outcome != qor::FileWriteOutcome::OpenFailed, "a refused export changed", name);
    Require(isNamed || wasTarget || isTarget, "an entry that the path does not lead to changed or appeared:", name);
  }
  for (const auto& [name, entry] : before) Require(after.count(name) == 1, "an entry vanished:", name);

  if (result.Outcome != qor::FileWriteOutcome::Ok) return;
  Require(reached.has_value(), "an export reported as done left nothing at the path");
  if (!S_ISREG(reached->st_mode)) return;
  Require(reached->st_size == static_cast<off_t>(image.size()), "an exported file is not 33 bytes");
  Require(HoldsImage(path, image), "an exported file does not hold the image");
  if (target && S_ISREG(target->st_mode)) {
    Require(reached->st_mode == target->st_mode && reached->st_uid == target->st_uid &&
                reached->st_nlink == target->st_nlink,
            "a replaced file lost its mode, owner or links");
  }
  qor::SettingsReport read{};
  const qor::FileReadResult imported = qor::ReadSettingsFile(path, read);
  Require(imported.Outcome != qor::FileReadOutcome::Corrupt, "an exported file reads as corrupt");
  Require(imported.Outcome != qor::FileReadOutcome::Ok || read == image, "an import differs from the export");
}

std::string gScratch;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Permission bits must count, as they do for the users of the program.
  if (::geteuid() == 0) {
    Require(::setgroups(0, nullptr) == 0 && ::setgid(UnprivilegedId) == 0 && ::setuid(UnprivilegedId) == 0,
            "cannot drop to the unprivileged user");
  }
  // In memory where there is room, as a sync there costs nothing.
  char inMemory[] = "/dev/shm/qor-fuzz-writer-XXXXXX";
  char onDisk[] = "/tmp/qor-fuzz-writer-XXXXXX";
  const char* scratch = ::mkdtemp(inMemory);
  if (scratch == nullptr) scratch = ::mkdtemp(onDisk);
  Require(scratch != nullptr, "mkdtemp");
  gScratch = scratch;
  std::atexit([] {
    OpenUp(gScratch);
    std::error_code error;
    fs::remove_all(gScratch, error);
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input input(data, size);
  const std::string root = gScratch + "/state";
  Require(::mkdir(root.c_str(), 0700) == 0, "mkdir state");
  ::mkdir((root + "/out").c_str(), 0700);

  std::vector<std::pair<std::string, mode_t>> folders;
  ::umask(0);
  Build(input, root, folders);
  const bool lockRoot = (input.Byte() & 1) != 0;
  const mode_t umask = input.Pick<mode_t>({022, 077, 002});
  const rlim_t room = input.Pick<rlim_t>({RLIM_INFINITY, RLIM_INFINITY, 0, 20});
  const std::string path = (input.Byte() & 1) != 0 ? root + "/" + PickName(input) : root + "/new.qos";
  const qor::SettingsReport image = Image(input);

  // Taken with every folder open to its owner, as the check finds them again.
  const Snapshot before = TakeSnapshot(root);
  const std::optional<struct stat> target = Followed(path);
  for (const auto& [folder, mode] : folders) ::chmod(folder.c_str(), mode);
  if (lockRoot) ::chmod(root.c_str(), 0500);

  ::umask(umask);
  // A write beyond the file size limit fails instead of ending the process
  // (libFuzzer's own handler of that signal is put back afterwards).
  struct sigaction ignore {};
  struct sigaction savedAction {};
  ignore.sa_handler = SIG_IGN;
  ::sigaction(SIGXFSZ, &ignore, &savedAction);
  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  rlimit limit = saved;
  limit.rlim_cur = room;
  ::setrlimit(RLIMIT_FSIZE, &limit);
  const qor::FileWriteResult result = qor::WriteSettingsFile(path, image);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  ::sigaction(SIGXFSZ, &savedAction, nullptr);
  ::umask(022);

  Check(root, path, before, target, result, image);
  std::error_code error;
  fs::remove_all(root, error);
  Require(!error, "cannot clear the state");
  return 0;
}
