#pragma once

// Resources of the program file, shared by wirlok.rc and the code.
#define IDI_WIRLOK 1
