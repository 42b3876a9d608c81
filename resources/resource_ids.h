#pragma once
// Identifiers of the program's resources.
#define IDI_VESPERKIT 1
#define IDI_CLOCK_GREEN 101
#define IDI_CLOCK_RED 102
