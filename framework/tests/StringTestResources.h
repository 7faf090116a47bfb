#pragma once
// String ids of the test program's own string table (StringTest.rc).

#define IDS_TEST_PLAIN 3101
#define IDS_TEST_CHINESE 3102
#define IDS_TEST_FORMAT 3103
#define IDS_TEST_LONG 3104
#define IDS_TEST_MISSING 3199
