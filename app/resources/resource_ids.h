#pragma once

// Resource IDs shared by orvel.rc and the code.
#define IDI_ORVEL 101
