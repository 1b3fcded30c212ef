/* The yardstick of scripts/bench-scan: the least a program can do to list
 * the attached QOR boards as `qorctl list` does, in plain C. The same system
 * calls for the same work: the hidraw class folder listed once, each node's
 * uevent read for its device file, each node opened read-only and non-blocking
 * and checked to be a character device, its IDs and report descriptor asked
 * for, each board identified (set, 30 ms, get, set, 30 ms, get) and its USB
 * location read with one readlink; nodes that fail to open are looked up in
 * sysfs only then, to say that a board is there. Prints the lines qorctl list
 * prints for the bench's boards (plain ASCII texts). With --time, the
 * nanoseconds of the scan (listing to closed nodes, output formatted) go to
 * standard error as "scan NS", and those of a second scan in the same
 * process, whose code is warm, as "rescan NS". */

#define _GNU_SOURCE
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <linux/hidraw.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

enum { Capacity = 10, ReportLength = 33, MaxNodes = 64, PauseMs = 30 };
enum { CommandSelectSettings = 0x01, CommandIdentify = 0xFF };
/* Short items' prefixes without their size bits. */
enum { ReportSizeItem = 0x74, ReportIdItem = 0x84, ReportCountItem = 0x94, FeatureItem = 0xB0 };

struct Node {
  unsigned long number;
  char name[256];
  char path[300];
};

struct Board {
  int fd;
  uint16_t product;
  const struct Node *node;
  char text[32];
  char location[64];
};

static long long Now(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return (long long)t.tv_sec * 1000000000LL + t.tv_nsec;
}

static ssize_t ReadFile(const char *path, char *buffer, size_t size) {
  int fd = open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return -1;
  size_t used = 0;
  ssize_t n;
  while (used + 1 < size && (n = read(fd, buffer + used, size - 1 - used)) > 0) used += (size_t)n;
  close(fd);
  buffer[used] = 0;
  return (ssize_t)used;
}

static int ByNumber(const void *a, const void *b) {
  const struct Node *x = a, *y = b;
  return (x->number > y->number) - (x->number < y->number);
}

/* The class folder's nodes in number order, each with the device file its uevent names. */
static int ListNodes(struct Node *nodes) {
  DIR *folder = opendir("/sys/class/hidraw");
  if (!folder) return 0;
  int count = 0;
  struct dirent *entry;
  while (count < MaxNodes && (entry = readdir(folder))) {
    if (strncmp(entry->d_name, "hidraw", 6) != 0) continue;
    char path[300], uevent[512];
    snprintf(path, sizeof path, "/sys/class/hidraw/%s/uevent", entry->d_name);
    if (ReadFile(path, uevent, sizeof uevent) < 0) continue;
    const char *name = strstr(uevent, "DEVNAME=");
    if (!name) continue;
    struct Node *node = &nodes[count++];
    node->number = strtoul(entry->d_name + 6, NULL, 10);
    snprintf(node->name, sizeof node->name, "%s", entry->d_name);
    snprintf(node->path, sizeof node->path, "/dev/%.*s", (int)strcspn(name + 8, "\n"), name + 8);
  }
  closedir(folder);
  qsort(nodes, (size_t)count, sizeof *nodes, ByNumber);
  return count;
}

/* The longest feature report in bytes, report ID byte included. */
static int FeatureLength(const uint8_t *d, size_t size) {
  static uint32_t bits[256];
  memset(bits, 0, sizeof bits);
  uint32_t reportSize = 0, reportCount = 0, reportId = 0;
  size_t pos = 0;
  while (pos < size) {
    const uint8_t prefix = d[pos];
    if (prefix == 0xFE) {
      if (pos + 1 >= size) return -1;
      pos += 3u + d[pos + 1];
      continue;
    }
    const size_t length = (prefix & 3) == 3 ? 4 : (prefix & 3);
    if (pos + 1 + length > size) return -1;
    uint32_t data = 0;
    for (size_t i = 0; i < length; ++i) data |= (uint32_t)d[pos + 1 + i] << (8 * i);
    pos += 1 + length;
    switch (prefix & 0xFC) {
      case ReportSizeItem:
        reportSize = data;
        break;
      case ReportCountItem:
        reportCount = data;
        break;
      case ReportIdItem:
        reportId = data & 0xFF;
        break;
      case FeatureItem:
        bits[reportId] += reportSize * reportCount;
        break;
    }
  }
  uint32_t longest = 0;
  for (int id = 0; id < 256; ++id) {
    if (bits[id] && (bits[id] + 7) / 8 + 1 > longest) longest = (bits[id] + 7) / 8 + 1;
  }
  return (int)longest;
}

/* The open descriptor of a QOR configuration interface; -1 with errno set
 * when the node did not open, -1 with errno 0 when it is another device. */
static int OpenBoard(const struct Node *node, uint16_t *product) {
  int fd = open(node->path, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return -1;
  struct stat st;
  struct hidraw_devinfo info;
  int size = 0;
  struct hidraw_report_descriptor descriptor;
  if (fstat(fd, &st) != 0 || !S_ISCHR(st.st_mode) || ioctl(fd, HIDIOCGRAWINFO, &info) < 0 ||
      (uint16_t)info.vendor != 0x16C0 || (uint16_t)info.product < 0x07B3 || (uint16_t)info.product > 0x07BA ||
      ioctl(fd, HIDIOCGRDESCSIZE, &size) < 0 || size < 0 || size > HID_MAX_DESCRIPTOR_SIZE) {
    close(fd);
    errno = 0;
    return -1;
  }
  descriptor.size = (__u32)size;
  if (ioctl(fd, HIDIOCGRDESC, &descriptor) < 0 || FeatureLength(descriptor.value, descriptor.size) != ReportLength) {
    close(fd);
    errno = 0;
    return -1;
  }
  *product = (uint16_t)info.product;
  return fd;
}

static void Pause(void) {
  struct timespec left = {0, PauseMs * 1000000L};
  while (nanosleep(&left, &left) < 0 && errno == EINTR) {
  }
}

/* Identify selects the text for the next read; select settings restores the settings reply. */
static int Identify(struct Board *board) {
  uint8_t report[ReportLength] = {0};
  report[1] = CommandIdentify;
  if (ioctl(board->fd, HIDIOCSFEATURE(ReportLength), report) != ReportLength) return 0;
  Pause();
  if (ioctl(board->fd, HIDIOCGFEATURE(ReportLength), report) != ReportLength) return 0;
  snprintf(board->text, sizeof board->text, "%.*s", (int)strnlen((const char *)report + 2, 31), report + 2);
  report[0] = 0;
  report[1] = CommandSelectSettings;
  if (ioctl(board->fd, HIDIOCSFEATURE(ReportLength), report) != ReportLength) return 0;
  Pause();
  report[0] = 0;
  return ioctl(board->fd, HIDIOCGFEATURE(ReportLength), report) == ReportLength;
}

/* "1-1.4": the last folder on the way to the node that is named like a USB device; "-" for none. */
static void UsbLocation(struct Board *board) {
  char entry[300], target[1024];
  snprintf(entry, sizeof entry, "/sys/class/hidraw/%s", board->node->name);
  snprintf(board->location, sizeof board->location, "-");
  const ssize_t length = readlink(entry, target, sizeof target - 1);
  if (length < 0) return;
  target[length] = 0;
  for (char *folder = strtok(target, "/"); folder; folder = strtok(NULL, "/")) {
    const size_t digits = strspn(folder, "0123456789");
    if (digits > 0 && folder[digits] == '-' && folder[digits + 1] && !strchr(folder, ':') &&
        strspn(folder + digits + 1, "0123456789.") == strlen(folder + digits + 1)) {
      snprintf(board->location, sizeof board->location, "%s", folder);
    }
  }
}

/* Whether sysfs says a node that did not open belongs to a QOR board. */
static int IsQorNode(const struct Node *node) {
  char path[300], uevent[1024];
  snprintf(path, sizeof path, "/sys/class/hidraw/%s/device/uevent", node->name);
  if (ReadFile(path, uevent, sizeof uevent) < 0) return 0;
  unsigned bus, vendor, product;
  const char *id = strstr(uevent, "HID_ID=");
  return id && sscanf(id + 7, "%x:%x:%x", &bus, &vendor, &product) == 3 && vendor == 0x16C0 && product >= 0x07B3 &&
         product <= 0x07BA;
}

static size_t Scan(char *out, size_t size) {
  static struct Node nodes[MaxNodes];
  struct Board boards[Capacity];
  int count = 0, beyond = 0;
  size_t used = 0;
  const int listed = ListNodes(nodes);
  for (int i = 0; i < listed; ++i) {
    uint16_t product = 0;
    const int fd = OpenBoard(&nodes[i], &product);
    if (fd < 0) {
      if (errno != 0 && IsQorNode(&nodes[i]))
        fprintf(stderr, "qorctl: a QOR board is attached at %s, but it cannot be opened: %s\n", nodes[i].path,
                strerror(errno));
      continue;
    }
    if (count == Capacity) {
      ++beyond;
      close(fd);
      continue;
    }
    boards[count++] = (struct Board){fd, product, &nodes[i], "", ""};
  }
  if (beyond > 0)
    fprintf(stderr, "qorctl: %d boards are attached; only the first %d are handled\n", Capacity + beyond, Capacity);

  int entryWidth = 0, nodeWidth = 0, locationWidth = 0;
  char entries[Capacity][48];
  for (int i = 0; i < count; ++i) {
    if (!Identify(&boards[i])) boards[i].text[0] = 0;
    UsbLocation(&boards[i]);
    const int entry = snprintf(entries[i], sizeof entries[i], "%d: %s", i + 1, boards[i].text);
    const int node = (int)strlen(boards[i].node->path), location = (int)strlen(boards[i].location);
    entryWidth = entry > entryWidth ? entry : entryWidth;
    nodeWidth = node > nodeWidth ? node : nodeWidth;
    locationWidth = location > locationWidth ? location : locationWidth;
  }
  for (int i = 0; i < count; ++i) {
    used += (size_t)snprintf(out + used, size - used, "%-*s  %-*s  %-*s  0x%04x\n", entryWidth, entries[i], nodeWidth,
                             boards[i].node->path, locationWidth, boards[i].location, boards[i].product);
    close(boards[i].fd);
  }
  return used;
}

int main(int argc, char **argv) {
  static char out[8192], again[8192];
  const long long start = Now();
  const size_t length = Scan(out, sizeof out);
  const long long elapsed = Now() - start;
  fwrite(out, 1, length, stdout);
  if (argc > 1 && strcmp(argv[1], "--time") == 0) {
    const long long restart = Now();
    Scan(again, sizeof again);
    fprintf(stderr, "scan %lld\nrescan %lld\n", elapsed, Now() - restart);
  }
  return 0;
}
