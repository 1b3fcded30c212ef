// Export and import over generated file-system states (files, hard links,
// links, folders, modes, FIFOs, devices, a file size limit, a second user's
// files, FIFOs and links in a sticky folder), as an unprivileged user, through
// paths as given, through /proc/self/cwd, /proc/self/root and /dev/fd/N.
// After each export: nothing but the file the path leads to changed, no
// temporary file is left, a regular file holds exactly the image, the outcome
// matches the disk, and nothing was written where a plain create is refused.

#include <fcntl.h>
#include <grp.h>
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
constexpr uid_t OtherUser = UnprivilegedId - 1;

void Require(bool condition, const char* what, const std::string& name = "") {
  if (!condition) {
    std::fprintf(stderr, "fuzz_settings_writer: %s %s\n", what, name.c_str());
    std::abort();
  }
}

// Started as root, the target writes as the unprivileged user and keeps root
// as its saved user, to plant a second user's files and to look at everything.
bool HaveRoot() { return ::getuid() == 0; }

void BecomeUser() {
  if (HaveRoot()) Require(::setegid(UnprivilegedId) == 0 && ::seteuid(UnprivilegedId) == 0, "cannot become the user");
}

void BecomeRoot() {
  if (HaveRoot()) Require(::seteuid(0) == 0 && ::setegid(0) == 0, "cannot become root again");
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

// What a second user leaves in the sticky folder "tmp" (owned by root, as
// /tmp is): files, FIFOs, links and hard links.
const std::vector<std::string> PlantNames = {"tmp/p.qos", "tmp/q"};

void Plant(Input& input, const std::string& root) {
  const std::string folder = root + "/tmp";
  Require(::mkdir(folder.c_str(), 0700) == 0 && ::chmod(folder.c_str(), 01777) == 0, "mkdir tmp");
  const int steps = static_cast<int>(input.Choice(4));
  for (int i = 0; i < steps; ++i) {
    const std::string path = root + "/" + PlantNames[input.Choice(PlantNames.size())];
    switch (input.Choice(4)) {
      case 0: {
        const std::string bytes = input.Text(40);
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        if (fd < 0) break;
        Require(::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()), "write");
        ::close(fd);
        ::chmod(path.c_str(), input.Pick<mode_t>({0666, 0644, 0600}));
        break;
      }
      case 1:
        if (::mkfifo(path.c_str(), 0666) == 0) ::chmod(path.c_str(), 0666);
        break;
      case 2:
        ::symlink(LinkTarget(input, root).c_str(), path.c_str());
        break;
      default:
        ::link((root + "/" + PickName(input)).c_str(), path.c_str());
        continue;  // a hard link keeps its file's owner
    }
    ::lchown(path.c_str(), OtherUser, OtherUser);
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

// As the user, right after the export: a plain create-style open of the path
// is allowed wherever the export wrote (the file is there by now, so the open
// creates nothing).
void CheckAllowed(const std::string& path, const qor::FileWriteResult& result) {
  if (result.Outcome != qor::FileWriteOutcome::Ok || !Followed(path)) return;
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
  Require(fd >= 0, "an export wrote where a plain create is refused:", path);
  ::close(fd);
}

// `named`: the entry under the root that the path names, or the descriptor's.
void Check(const std::string& root, const std::string& path, const std::string& named, const Snapshot& before,
           const std::optional<struct stat>& target, const qor::FileWriteResult& result,
           const qor::SettingsReport& image) {
  const std::optional<struct stat> reached = Followed(path);
  OpenUp(root);
  const Snapshot after = TakeSnapshot(root);

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

// How the export names its file: as given, or through a /proc link or a
// descriptor of its own that is open on it.
struct ExportPath {
  std::string Path;
  std::string Named;  // relative to the root
  int Descriptor = -1;
};

ExportPath ChoosePath(Input& input, const std::string& root, const std::string& named, bool planted) {
  const std::string name = planted ? PlantNames[input.Choice(PlantNames.size())] : named;
  switch (input.Choice(4)) {
    case 1:
      Require(::chdir(root.c_str()) == 0, "chdir");
      return {"/proc/self/cwd/" + name, name};
    case 2:
      return {"/proc/self/root" + root + "/" + name, name};
    case 3: {
      const int flags = input.Pick<int>({O_RDONLY, O_RDWR, O_WRONLY | O_APPEND});
      const int fd = ::open((root + "/" + name).c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
      if (fd >= 0) return {"/dev/fd/" + std::to_string(fd), name, fd};
      break;
    }
    default:
      break;
  }
  return {root + "/" + name, name};
}

std::string gScratch;
std::string gStartFolder;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Permission bits must count, as they do for the users of the program: the
  // exports run as the unprivileged user, without supplementary groups.
  if (HaveRoot()) Require(::setgroups(0, nullptr) == 0, "cannot drop the supplementary groups");
  // In memory where there is room, as a sync there costs nothing.
  char inMemory[] = "/dev/shm/qor-fuzz-writer-XXXXXX";
  char onDisk[] = "/tmp/qor-fuzz-writer-XXXXXX";
  const char* scratch = ::mkdtemp(inMemory);
  if (scratch == nullptr) scratch = ::mkdtemp(onDisk);
  Require(scratch != nullptr, "mkdtemp");
  gScratch = scratch;
  gStartFolder = fs::current_path();
  if (HaveRoot()) Require(::chown(scratch, UnprivilegedId, UnprivilegedId) == 0, "chown scratch");
  std::atexit([] {
    BecomeRoot();
    OpenUp(gScratch);
    std::error_code error;
    fs::remove_all(gScratch, error);
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input input(data, size);
  const std::string root = gScratch + "/state";
  BecomeUser();
  Require(::mkdir(root.c_str(), 0700) == 0, "mkdir state");
  ::mkdir((root + "/out").c_str(), 0700);

  std::vector<std::pair<std::string, mode_t>> folders;
  ::umask(0);
  Build(input, root, folders);
  const bool lockRoot = (input.Byte() & 1) != 0;
  const mode_t umask = input.Pick<mode_t>({022, 077, 002});
  const rlim_t room = input.Pick<rlim_t>({RLIM_INFINITY, RLIM_INFINITY, 0, 20});
  const std::string named = (input.Byte() & 1) != 0 ? PickName(input) : "new.qos";
  const qor::SettingsReport image = Image(input);
  bool planted = false;
  if (HaveRoot() && (input.Byte() & 1) != 0) {
    BecomeRoot();
    Plant(input, root);
    BecomeUser();
    planted = true;
  }
  const ExportPath path = ChoosePath(input, root, named, planted);

  // Taken with every folder open to its owner, as the check finds them again.
  BecomeRoot();
  const Snapshot before = TakeSnapshot(root);
  const std::optional<struct stat> target = Followed(path.Path);
  BecomeUser();
  for (const auto& [folder, mode] : folders) ::chmod(folder.c_str(), mode);
  if (lockRoot) ::chmod(root.c_str(), 0500);

  ::umask(umask);
  // The writer itself keeps a write beyond the file size limit from ending
  // the process.
  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  rlimit limit = saved;
  limit.rlim_cur = room;
  ::setrlimit(RLIMIT_FSIZE, &limit);
  const qor::FileWriteResult result = qor::WriteSettingsFile(path.Path, image);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  ::umask(022);
  CheckAllowed(path.Path, result);

  BecomeRoot();
  Check(root, path.Path, path.Named, before, target, result, image);
  if (path.Descriptor >= 0) ::close(path.Descriptor);
  Require(::chdir(gStartFolder.c_str()) == 0, "chdir back");
  std::error_code error;
  fs::remove_all(root, error);
  Require(!error, "cannot clear the state");
  return 0;
}
