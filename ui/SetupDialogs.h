#pragma once
// The three setup dialogs. Each object holds its settings fields for the
// main window's whole life; its window exists only while it is open.

#include "ui/AnalogDialog.h"
#include "ui/JoyMouseDialog.h"
#include "ui/KeycodeDialog.h"
