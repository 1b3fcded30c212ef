#pragma once
// Owners of the libudev objects: each drops its reference when it goes.

#include <libudev.h>

#include "ui/joystick/Owned.h"

namespace qor {

using Udev = Owned<udev, udev_unref>;
using UdevEnumerate = Owned<udev_enumerate, udev_enumerate_unref>;
using UdevDevice = Owned<udev_device, udev_device_unref>;
using UdevMonitor = Owned<udev_monitor, udev_monitor_unref>;

}  // namespace qor
