#include "settings/KeyCodeTable.h"

#include <array>

namespace qor {
namespace {

struct KeyEntry {
  const char* Name;
  std::uint8_t Code;
};

// Entry i is list index i of every key selector.
constexpr KeyEntry Keys[KeyCodeTable::Count] = {
    {"F1", 0x3A},       {"F2", 0x3B},      {"F3", 0x3C},     {"F4", 0x3D},     {"F5", 0x3E},      {"F6", 0x3F},
    {"F7", 0x40},       {"F8", 0x41},      {"F9", 0x42},     {"F10", 0x43},    {"F11", 0x44},     {"F12", 0x45},
    {"APPS", 0x65},     {"BKSP", 0x2A},    {"CAPS", 0x39},   {"DELETE", 0x4C}, {"END", 0x4D},     {"ENTER", 0x28},
    {"ESC", 0x29},      {"HOME", 0x4A},    {"INSERT", 0x49}, {"NUM", 0x53},    {"PGDN", 0x4E},    {"PGUP", 0x4B},
    {"PRNTSCRN", 0x46}, {"SCROLL", 0x47},  {"SPACE", 0x2C},  {"TAB", 0x2B},    {"D ARROW", 0x51}, {"U ARROW", 0x52},
    {"L ARROW", 0x50},  {"R ARROW", 0x4F}, {"KP -", 0x56},   {"KP *", 0x55},   {"KP .", 0x63},    {"KP /", 0x54},
    {"KP +", 0x57},     {"KP 0", 0x62},    {"KP 1", 0x59},   {"KP 2", 0x5A},   {"KP 3", 0x5B},    {"KP 4", 0x5C},
    {"KP 5", 0x5D},     {"KP 6", 0x5E},    {"KP 7", 0x5F},   {"KP 8", 0x60},   {"KP 9", 0x61},    {"KP ENTER", 0x58},
    {"L ALT", 0xE2},    {"L CTRL", 0xE0},  {"L GUI", 0xE3},  {"L SHFT", 0xE1}, {"R ALT", 0xE6},   {"R CTRL", 0xE4},
    {"R GUI", 0xE7},    {"R SHIFT", 0xE5}, {"A", 0x04},      {"B", 0x05},      {"C", 0x06},       {"D", 0x07},
    {"E", 0x08},        {"F", 0x09},       {"G", 0x0A},      {"H", 0x0B},      {"I", 0x0C},       {"J", 0x0D},
    {"K", 0x0E},        {"L", 0x0F},       {"M", 0x10},      {"N", 0x11},      {"O", 0x12},       {"P", 0x13},
    {"Q", 0x14},        {"R", 0x15},       {"S", 0x16},      {"T", 0x17},      {"U", 0x18},       {"V", 0x19},
    {"W", 0x1A},        {"X", 0x1B},       {"Y", 0x1C},      {"Z", 0x1D},      {"0", 0x27},       {"1", 0x1E},
    {"2", 0x1F},        {"3", 0x20},       {"4", 0x21},      {"5", 0x22},      {"6", 0x23},       {"7", 0x24},
    {"8", 0x25},        {"9", 0x26},       {",", 0x36},      {"'", 0x34},      {"-", 0x2D},       {".", 0x37},
    {"/", 0x38},        {";", 0x33},       {"[", 0x2F},      {"\\", 0x31},     {"]", 0x30},       {"`", 0x35},
    {"=", 0x2E},
};

std::array<std::uint8_t, 256> reverseMap{};

}  // namespace

const char* KeyCodeTable::NameAt(int index) { return Keys[index].Name; }

std::uint8_t KeyCodeTable::CodeAt(int index) { return Keys[index].Code; }

void KeyCodeTable::BuildReverseMap() {
  for (int i = 0; i < Count; ++i) reverseMap[Keys[i].Code] = static_cast<std::uint8_t>(i);
}

int KeyCodeTable::IndexOfCode(std::uint8_t code) { return reverseMap[code]; }

void KeyCodeTable::ResetReverseMap() { reverseMap.fill(0); }

}  // namespace qor
