// The card maker's TV, FM and DVB-T applications: where they are installed
// and how the POWER key starts one of them.
#pragma once

enum { VendorTv = 0, VendorFm = 1, VendorDvbt = 2, VendorAppCount = 3, VendorPathSize = 512 };

// Program paths (install directory, its environment variables expanded, and
// file name), empty when not installed.
extern char VendorAppPaths[VendorAppCount][VendorPathSize];

// Reads the install paths from the registry. Called once at start-up.
void BuildVendorAppPaths();

// Starts the FM application when the maker's software last ran FM, else
// DVB-T, falling back to TV. An application whose file is not there is not
// started, as when nothing is installed.
void LaunchVendorApp();
