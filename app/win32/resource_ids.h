#pragma once
// Resource numbers shared by lumdrift.rc and the code.

#define IDI_LUMDRIFT 101
