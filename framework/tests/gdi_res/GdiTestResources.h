#pragma once
// Bitmaps linked into the framework test program for the GDI and control
// tests. Faces are solid colours so a test can tell them apart by a pixel.

#define IDB_TEST_RED 3101          // 8 x 6, red
#define IDB_TEST_STRIP 3102        // 8 x 4: two 4 x 4 images, red (magenta corner) and blue
#define IDB_TEST_UP 3111           // 20 x 12, green
#define IDB_TEST_DOWN 3112         // 20 x 12, blue
#define IDB_TEST_FOCUS 3113        // 20 x 12, yellow
#define IDB_TEST_DISABLED 3114     // 20 x 12, grey
#define IDB_TEST_MISSING 3199      // not in the module
