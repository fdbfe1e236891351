#pragma once
// String-table entries of the toolkit base's test executable.
#define IDS_TEST_CHINESE 29000
#define IDS_TEST_LONG 29001
