// The preference records, with their defaults.
#include "core/preferences.h"

SettingsRecord Settings = { 50, 0, 200, 600 };
OsdSettingsRecord OsdSettings = { 0, 0xFF0000, 5, 3, 32 };
